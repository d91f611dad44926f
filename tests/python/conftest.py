"""Fixtures of the velqor tests: vqrtool beside the module, recordings made
to order, and the locale of the environment applied to the whole process
(Python itself sets only LC_CTYPE), so that a German locale reaches the core."""

import locale
import os
import struct
import subprocess
from pathlib import Path

import pytest

locale.setlocale(locale.LC_ALL, "")

SOURCE_DIR = Path(os.environ.get("VQR_SOURCE_DIR", Path(__file__).resolve().parents[2]))
BINARY_DIR = Path(os.environ.get("VQR_BINARY_DIR", SOURCE_DIR / "build"))
VQRTOOL = BINARY_DIR / "vqrtool"
SAMPLES = sorted((SOURCE_DIR / "samples").glob("*.DAT"))


def record(marker, body=b""):
    """One 39-byte record: the marker, then body, zero-filled."""
    data = bytes([marker]) + body
    assert len(data) <= 39
    return data + bytes(39 - len(data))


def params_record(params=(12, 250, 3, -40, 1800, 7), pro=4711, heat=375, ref1=2.0, ref2=0.5):
    body = bytes(4) + struct.pack("<8h", *params, pro, heat) + bytes(8)
    return record(10, body + struct.pack("<2f", ref1, ref2))


def ref_record(marker, raws):
    return record(marker, bytes(4) + struct.pack("<16h", *raws))


def data_record(seconds, raws, temp, marker=31):
    d, rest = divmod(seconds, 86400)
    h, rest = divmod(rest, 3600)
    m, s = divmod(rest, 60)
    return record(marker, struct.pack("<4B17h", d, h, m, s, *raws, temp))


def recording(samples, ref1=2.0, ref2=0.5, raw1=1000, raw2=4000, extra=b""):
    """A recording file's bytes: samples are (seconds, [16 raws], temp) or
    ready records (bytes)."""
    out = record(0x01) + params_record(ref1=ref1, ref2=ref2)
    out += ref_record(21, [raw1 + ch for ch in range(16)])
    out += ref_record(22, [raw2 - ch for ch in range(16)])
    for s in samples:
        out += s if isinstance(s, bytes) else data_record(*s)
    return out + extra


def ramp(n, step=60, start=60):
    return [(start + i * step, [(1000 + 37 * i + 11 * ch - (i % 7) * ch) % 30000 for ch in range(16)],
             200 + (i % 50)) for i in range(n)]


# Made-up recordings for what the samples do not show.
GENERATED = {
    "ramp3": recording(ramp(3)),
    "header_only": recording([]),
    # References not in order: the program replaces them.
    "bad_refs": recording(ramp(40), ref1=0.5, ref2=2.0),
    # A record of another marker leaves an empty slot, where the export ends.
    "empty_slot": recording(ramp(2) + [record(5)] + ramp(3, start=500)),
    # Leading records at 0:00:00:00 are dropped.
    "zero_start": recording([(0, [1] * 16, 0), (0, [2] * 16, 0)] + ramp(4)),
    "negative": recording([(60, [-42, -32768, 32767] + [0] * 13, -55), (120, [5] * 16, 400)]),
    "over_1500": recording(ramp(1600, step=30)),
    "trailing_fragment": recording(ramp(5), extra=b"\x1f\x00\x01"),
    "equal_refs": recording(ramp(5), raw1=3000, raw2=3000),
}


@pytest.fixture(scope="session")
def vqrtool():
    if not VQRTOOL.exists():
        pytest.fail(f"{VQRTOOL} is not built")

    def run(*args, check=True):
        done = subprocess.run([str(VQRTOOL), *map(str, args)], capture_output=True)
        if check and done.returncode != 0:
            raise AssertionError(f"vqrtool {args}: {done.returncode} {done.stderr!r}")
        return done

    return run


@pytest.fixture(scope="session")
def generated(tmp_path_factory):
    folder = tmp_path_factory.mktemp("generated")
    paths = {}
    for name, data in GENERATED.items():
        paths[name] = folder / f"{name}.DAT"
        paths[name].write_bytes(data)
    return paths


@pytest.fixture(autouse=True)
def empty_home(tmp_path, monkeypatch):
    """No user's settings unless a test writes them."""
    home = tmp_path / "home"
    home.mkdir()
    monkeypatch.setenv("HOME", str(home))
    monkeypatch.delenv("HOMEDRIVE", raising=False)
    monkeypatch.delenv("HOMEPATH", raising=False)
    return home


def all_recordings(generated):
    return [*SAMPLES, *generated.values()]

