"""Recordings of the Velqor measuring instrument in Python.

The program's own core (the same code as vqrshow4 and vqrtool) decodes a
recording (.DAT) and calibrates it; the samples come as numpy arrays:

    >>> import velqor
    >>> rec = velqor.read("run.DAT")
    >>> rec.values.shape            # calibrated channels 1..16, float32
    (1500, 16)
    >>> velqor.stats(rec, from_h=2, to_h=10, window=3)["curves"][0]["mean"]

Settings (the user factor, the combinations' channels, the unit texts) are
found as vqrtool finds them: vqrshow4.INI in the home folder, or the file or
folder named by ini=; defaults=True takes the built-in values.
"""

import math as _math
import numbers as _numbers
import operator as _operator
import os as _os


class Error(Exception):
    """A recording or settings file that could not be used.

    str() is "PATH: STATUS"; status is the program's status text
    ("Error opening data file!", "Error reading Data File!").
    """

    def __init__(self, path, status, errno=0):
        super().__init__(f"{path}: {status}")
        self.path = path
        self.status = status


class OpenError(Error, OSError):
    """The file could not be opened (missing, unreadable, not a regular file);
    errno and strerror tell the system's reason."""

    def __init__(self, path, status, errno=0):
        Error.__init__(self, path, status)
        self.errno = errno or None
        self.strerror = _os.strerror(errno) if errno else None

    def __str__(self):
        return self.args[0]


class DecodeError(Error, ValueError):
    """The file opened, but its header is not that of a recording."""


class SettingsError(Error, OSError):
    """The settings file or folder named by ini= cannot be read; str() is
    "cannot read PATH"."""

    def __str__(self):
        return self.status


from ._velqor import __version__, Recording  # noqa: E402
from . import _velqor  # noqa: E402

__all__ = ["read", "stats", "Recording", "Error", "OpenError", "DecodeError",
           "SettingsError", "__version__"]


def _file_name(path, what):
    """path as str and as the bytes the file system sees."""
    try:
        text = _os.fspath(path)
    except TypeError:
        raise TypeError(f"{what} must be a path (str, bytes or os.PathLike), "
                        f"not {type(path).__name__}") from None
    raw = _os.fsencode(text)
    if b"\0" in raw:
        raise ValueError(f"{what} contains a NUL character")
    return _os.fsdecode(text), raw


def read(path, *, ini=None, defaults=False):
    """Reads and calibrates the recording in path (a .DAT file).

    ini: the settings file, or a folder holding vqrshow4.INI (vqrtool's
    --ini); defaults=True: the built-in settings (--defaults). Without either,
    vqrshow4.INI in the home folder, if there is one.

    Raises OpenError (an OSError) when the file cannot be opened, DecodeError
    (a ValueError) when it is not a recording, SettingsError when ini names
    nothing readable.
    """
    display, raw = _file_name(path, "path")
    ini_raw = None
    if ini is not None:
        if defaults:
            raise ValueError("defaults=True reads no INI file: leave ini out")
        ini_raw = _file_name(ini, "ini")[1]
    return _velqor.read(raw, display, ini_raw, bool(defaults))


def _hours(value, what):
    if value is None:
        return None
    if isinstance(value, bool) or not isinstance(value, _numbers.Real):
        raise TypeError(f"{what} takes hours as a number, not {value!r}")
    hours = float(value)
    if not _math.isfinite(hours):
        raise ValueError(f"{what} takes finite hours, not {value!r}")
    return hours


def stats(recording, from_h=None, to_h=None, window=None, zero=False, smooth=()):
    """Statistics per curve, as vqrtool stats --json gives them.

    Over the samples from from_h to to_h hours (either may be None: open
    ended); window: None for all 17 curves, 1..16 a channel, 17 the
    temperature, 18 or 19 the channels ticked for combination 1 or 2; zero:
    the zero-point correction; smooth: the distances of the smoothing runs,
    in order (an int for one). The recording itself is left as it is.

    Returns {"file", "from_h", "to_h", "curves": [{"channel", "n", "min",
    "min_at_h", "max", "max_at_h", "first", "last", "mean", "std",
    "slope_per_h"}, ...]}; a value that does not exist is None.
    """
    if not isinstance(recording, Recording):
        raise TypeError(f"stats needs a velqor.Recording, not {type(recording).__name__}")
    if window is None:
        mode = 0
    else:
        try:
            mode = _operator.index(window)
        except TypeError:
            raise TypeError(f"window takes a whole number, not {window!r}") from None
        if not 1 <= mode <= 19:
            raise ValueError(f"window takes 1..16, 17 (temperature), 18 or 19, not {window!r}")
    if isinstance(smooth, int):
        smooth = (smooth,)
    try:
        distances = [_operator.index(n) for n in smooth]
    except TypeError:
        raise TypeError(f"smooth takes whole numbers, not {smooth!r}") from None
    # Beyond 32 the smoothing acts as 32; keep the numbers within C's int.
    distances = [max(-1, min(n, 33)) for n in distances]
    return _velqor.stats(recording, _hours(from_h, "from_h"), _hours(to_h, "to_h"), mode,
                         bool(zero), distances)


def _to_pandas(self):
    """A pandas DataFrame indexed by time_s: columns ch1..ch16 (float32) and
    temperature; attrs hold the metadata, the units and the file."""
    import pandas as pd

    columns = {f"ch{ch}": self.values[:, ch - 1] for ch in range(1, 17)}
    columns["temperature"] = self.temperature
    frame = pd.DataFrame(columns, index=pd.Index(self.time_s, name="time_s"), copy=True)
    frame.attrs["file"] = self.path
    frame.attrs["metadata"] = self.metadata
    frame.attrs["units"] = dict(zip(frame.columns, self.units))
    return frame


Recording.to_pandas = _to_pandas
