import os
from typing import Any, Iterable, Optional, TypedDict, Union

import numpy as np
import numpy.typing as npt

__version__: str

_Path = Union[str, bytes, os.PathLike[str], os.PathLike[bytes]]

class Error(Exception):
    path: str
    status: str
    def __init__(self, path: str, status: str, errno: int = ...) -> None: ...

class OpenError(Error, OSError): ...
class DecodeError(Error, ValueError): ...
class SettingsError(Error, OSError): ...

class ChannelCalibration(TypedDict):
    channel: int
    scale: float
    offset: float
    raw_min: int
    raw_max: int
    cal_min: float
    cal_max: float
    ref_raw1: Optional[int]
    ref_raw2: Optional[int]
    unit: str

class CurveStats(TypedDict):
    channel: int
    n: int
    min: Optional[float]
    min_at_h: Optional[float]
    max: Optional[float]
    max_at_h: Optional[float]
    first: Optional[float]
    last: Optional[float]
    mean: Optional[float]
    std: Optional[float]
    slope_per_h: Optional[float]

class Stats(TypedDict):
    file: str
    from_h: Optional[float]
    to_h: Optional[float]
    curves: list[CurveStats]

class Recording:
    @property
    def path(self) -> str: ...
    @property
    def sample_count(self) -> int: ...
    @property
    def duration_h(self) -> float: ...
    @property
    def time_s(self) -> npt.NDArray[np.float64]: ...
    @property
    def values(self) -> npt.NDArray[np.float32]: ...
    @property
    def temperature(self) -> npt.NDArray[np.float32]: ...
    @property
    def raw(self) -> npt.NDArray[np.int16]: ...
    @property
    def metadata(self) -> dict[str, Union[int, float, str]]: ...
    @property
    def calibration(self) -> list[ChannelCalibration]: ...
    @property
    def units(self) -> list[str]: ...
    @property
    def ref_values(self) -> tuple[float, float]: ...
    def to_pandas(self) -> Any: ...

def read(path: _Path, *, ini: Optional[_Path] = ..., defaults: bool = ...) -> Recording: ...
def stats(
    recording: Recording,
    from_h: Optional[float] = ...,
    to_h: Optional[float] = ...,
    window: Optional[int] = ...,
    zero: bool = ...,
    smooth: Union[int, Iterable[int]] = ...,
) -> Stats: ...
