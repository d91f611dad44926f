"""velqor against vqrtool: the same values, times, metadata and statistics,
every error as an exception, and damaged files that never crash."""

import errno
import json
import os
import random
import re
from concurrent.futures import ThreadPoolExecutor

import numpy as np
import pytest

import velqor
from conftest import GENERATED, SAMPLES, SOURCE_DIR, all_recordings, ramp, recording

F32 = np.float32


def ascii_rows(vqrtool, path, mode, tmp_path):
    out = tmp_path / f"{path.stem}.{mode}.ASC"
    vqrtool("ascii", path, "-o", out, "--mode", mode)
    lines = out.read_bytes().decode("ascii").split("\r\n")
    assert lines[-3:] == ["", " End of export", ""]
    return [line.split(",") for line in lines[:-3]]


def test_values_times_and_temperatures_are_those_of_the_ascii_export(vqrtool, generated, tmp_path):
    for path in all_recordings(generated):
        rec = velqor.read(path)
        cal = ascii_rows(vqrtool, path, "cal", tmp_path)
        raw = ascii_rows(vqrtool, path, "raw", tmp_path)
        # The export ends at the first empty slot; the arrays hold every sample.
        assert len(cal) == len(raw) <= rec.sample_count, path
        for i, (c, r) in enumerate(zip(cal, raw)):
            assert rec.time_s[i] == int(c[4]), (path, i)
            assert [f"{v:.4f}" for v in rec.values[i].astype(float)] == [f.strip() for f in c[5:21]]
            assert list(rec.raw[i, :16]) == [int(f) for f in r[5:21]], (path, i)
            assert f"{float(rec.temperature[i]):.1f}" == c[21].strip() == r[21].strip()
            assert rec.raw[i, 16] == round(float(c[21]) * 10)


def test_shapes_and_types(generated):
    for path in all_recordings(generated):
        rec = velqor.read(path)
        n = rec.sample_count
        for array, shape, dtype in [(rec.time_s, (n,), np.float64), (rec.values, (n, 16), np.float32),
                                    (rec.temperature, (n,), np.float32),
                                    (rec.raw, (n, 17), np.int16)]:
            assert array.shape == shape and array.dtype == dtype
            assert not array.flags.writeable
        assert len(rec.calibration) == len(rec.units) == 17


def test_calibration_and_metadata_are_those_of_info(vqrtool, generated):
    for path in all_recordings(generated):
        rec = velqor.read(path)
        info = json.loads(vqrtool("info", "--json", path).stdout)
        assert rec.sample_count == info["sample_count"]
        assert rec.duration_h * 3600 == pytest.approx(info["last_time"], abs=1e-9)
        assert [F32(v) for v in rec.ref_values] == [F32(info["ref_value1"]), F32(info["ref_value2"])]
        for mine, theirs in zip(rec.calibration, info["channels"]):
            for key in ("scale", "offset", "cal_min", "cal_max"):
                assert F32(mine[key]) == F32(theirs[key]), (path, mine["channel"], key)
            assert (mine["raw_min"], mine["raw_max"]) == (theirs["raw_min"], theirs["raw_max"])
        assert {k: str(v) for k, v in rec.metadata.items()} == info["metadata"]
        # The calibration the values come from: raw x scale + offset.
        if rec.sample_count:
            c = rec.calibration[2]
            expected = np.float32(rec.raw[:, 2].astype(np.float64) * F32(c["scale"]) + F32(c["offset"]))
            assert np.array_equal(rec.values[:, 2], expected)


def test_generated_cases_read_as_the_program_reads_them(generated):
    cases = [  # name, samples, first time, HeatTemp
        ("ramp3", 3, 60, 37.5),
        ("header_only", 0, None, 37.5),
        ("empty_slot", 6, 60, 37.5),
        ("zero_start", 4, 60, 37.5),
        ("over_1500", 1500, 60, 37.5),
        ("trailing_fragment", 5, 60, 37.5),
    ]
    for name, n, first, heat in cases:
        rec = velqor.read(generated[name])
        assert rec.sample_count == n, name
        assert rec.metadata["HeatTemp"] == heat and rec.metadata["ProNumber"] == 4711
        if first is not None:
            assert rec.time_s[0] == first, name
    empty = velqor.read(generated["empty_slot"])
    assert empty.time_s[2] == 0 and not empty.raw[2].any()
    assert velqor.read(generated["equal_refs"]).calibration[0]["scale"] == 1.0
    neg = velqor.read(generated["negative"])
    assert list(neg.raw[0, :3]) == [-42, -32768, 32767] and neg.temperature[0] == F32(-5.5)
    assert neg.metadata["Param4"] == -40


STATS_OPTIONS = [
    {},
    {"from_h": 2, "to_h": 10.5},
    {"from_h": 30, "to_h": 20},
    {"from_h": 1000},
    {"window": 3},
    {"window": 17, "zero": True},
    {"window": 18},
    {"window": 19, "smooth": (2, 8)},
    {"zero": True, "smooth": 40},
]


def vqrtool_stats_args(options):
    args = []
    for key, value in options.items():
        if key == "zero":
            args.append("--zero")
        elif key == "smooth":
            for n in (value if isinstance(value, tuple) else (value,)):
                args += ["--smooth", n]
        else:
            args += ["--" + {"from_h": "from", "to_h": "to"}.get(key, key), value]
    return args


@pytest.mark.filterwarnings("ignore:no channel is ticked")
def test_stats_are_those_of_vqrtool(vqrtool, generated, tmp_path):
    ini = tmp_path / "settings.INI"
    ini.write_text("[Axis2]\nUserFactor=2.5\n[CombiWindow1]\nVisibleCh2=ON\nVisibleCh17=ON\n"
                   "[CombiWindow2]\nVisibleCh5=ON\n")
    paths = [*SAMPLES, generated["empty_slot"], generated["header_only"], generated["bad_refs"]]
    for path in paths:
        for settings in ([], ["--ini", ini]):
            rec = velqor.read(path, ini=ini if settings else None)
            for options in STATS_OPTIONS:
                out = vqrtool("stats", path, "--json", *settings, *vqrtool_stats_args(options))
                assert velqor.stats(rec, **options) == json.loads(out.stdout), (path, settings, options)


def test_stats_leave_the_recording_as_read(generated):
    rec = velqor.read(SAMPLES[0])
    before = rec.values.copy()
    smoothed = velqor.stats(rec, smooth=(8, 8), window=1)
    assert np.array_equal(rec.values, before)
    assert smoothed != velqor.stats(rec, window=1)
    assert velqor.stats(rec, window=1) == velqor.stats(velqor.read(SAMPLES[0]), window=1)


def test_stats_defaults_cover_all_curves():
    stats = velqor.stats(velqor.read(SAMPLES[0]))
    assert [c["channel"] for c in stats["curves"]] == list(range(1, 18))
    assert stats["from_h"] is None and stats["to_h"] is None


def test_a_combination_without_channels_warns(tmp_path):
    ini = tmp_path / "none.INI"
    ini.write_text("[CombiWindow1]\nVisibleCh1=OFF\n")
    rec = velqor.read(SAMPLES[0], ini=ini)
    with pytest.warns(UserWarning, match="no channel is ticked for combination 1"):
        assert velqor.stats(rec, window=18)["curves"] == []


def test_to_pandas():
    pd = pytest.importorskip("pandas")
    rec = velqor.read(SAMPLES[0])
    frame = rec.to_pandas()
    assert isinstance(frame, pd.DataFrame)
    assert list(frame.columns) == [f"ch{ch}" for ch in range(1, 17)] + ["temperature"]
    assert frame.index.name == "time_s" and np.array_equal(frame.index.to_numpy(), rec.time_s)
    assert np.array_equal(frame.iloc[:, :16].to_numpy(), rec.values)
    assert frame["temperature"].dtype == np.float32
    assert frame.attrs["metadata"] == rec.metadata and frame.attrs["units"]["temperature"] == "Celsius"
    frame.iloc[0, 0] = 99.0  # a copy: the recording stays as read
    assert rec.values[0, 0] != 99.0


def test_settings_are_found_in_the_home_folder_or_named(empty_home, tmp_path):
    units = "[Axis2]\nUnitText1=mV\n[Axis3]\nUnitText1=°C\n"
    assert velqor.read(SAMPLES[0]).units[0] == "McF"
    (empty_home / "vqrshow4.INI").write_text(units)
    assert velqor.read(SAMPLES[0]).units[15:] == ["mV", "°C"]
    assert velqor.read(SAMPLES[0], defaults=True).units[0] == "McF"
    # A changed file is read again.
    (empty_home / "vqrshow4.INI").write_text("[Axis2]\nUnitText1=V\n")
    assert velqor.read(SAMPLES[0]).units[0] == "V"
    folder = tmp_path / "shared"
    folder.mkdir()
    (folder / "vqrshow4.INI").write_text("[Axis2]\nUnitText1=mA\n")
    assert velqor.read(SAMPLES[0], ini=folder).units[0] == "mA"
    assert velqor.read(SAMPLES[0], ini=folder / "vqrshow4.INI").units[0] == "mA"


def test_errors_carry_the_programs_status(generated, tmp_path):
    directory = tmp_path / "folder.DAT"
    directory.mkdir()
    fifo = tmp_path / "fifo.DAT"
    os.mkfifo(fifo)
    cases = [  # bytes or a path, exception, status, errno
        (tmp_path / "missing.DAT", velqor.OpenError, "Error opening data file!", errno.ENOENT),
        (directory, velqor.OpenError, "Error opening data file!", None),
        (fifo, velqor.OpenError, "Error opening data file!", None),
        (b"", velqor.DecodeError, "Error reading Data File!", None),
        (GENERATED["ramp3"][:39 * 3], velqor.DecodeError, "Error reading Data File!", None),
        (GENERATED["ramp3"][:39 * 4 - 1], velqor.DecodeError, "Error reading Data File!", None),
        (b"\x01" * 39 + b"\x0b" * 39 * 3, velqor.DecodeError, "Error reading Data File!", None),
    ]
    for i, (what, exc, status, code) in enumerate(cases):
        path = what
        if isinstance(what, bytes):
            path = tmp_path / f"case{i}.DAT"
            path.write_bytes(what)
        with pytest.raises(exc) as caught:
            velqor.read(path)
        e = caught.value
        assert isinstance(e, velqor.Error) and e.status == status and e.path == str(path)
        assert str(e) == f"{path}: {status}"
        if exc is velqor.OpenError:
            assert isinstance(e, OSError)
            if code is not None:
                assert e.errno == code
        else:
            assert isinstance(e, ValueError)


def test_arguments_that_are_refused(tmp_path):
    rec = velqor.read(SAMPLES[0])
    calls = [
        (lambda: velqor.read(12), TypeError, "path must be a path"),
        (lambda: velqor.read("a\0b.DAT"), ValueError, "NUL"),
        (lambda: velqor.read(SAMPLES[0], ini=SAMPLES[0].parent, defaults=True), ValueError, "defaults"),
        (lambda: velqor.read(SAMPLES[0], ini=tmp_path / "none.INI"), velqor.SettingsError,
         "cannot read"),
        (lambda: velqor.stats("x.DAT"), TypeError, "Recording"),
        (lambda: velqor.stats(rec, window=0), ValueError, "window takes"),
        (lambda: velqor.stats(rec, window=20), ValueError, "window takes"),
        (lambda: velqor.stats(rec, window="3"), TypeError, "window"),
        (lambda: velqor.stats(rec, from_h=float("nan")), ValueError, "finite"),
        (lambda: velqor.stats(rec, to_h=float("inf")), ValueError, "finite"),
        (lambda: velqor.stats(rec, from_h="2"), TypeError, "hours"),
        (lambda: velqor.stats(rec, smooth=(2.5,)), TypeError, "smooth"),
        (lambda: velqor.stats(rec, smooth="8"), TypeError, "smooth"),
    ]
    for call, exc, text in calls:
        with pytest.raises(exc, match=text):
            call()


def test_damaged_files_raise_or_read_and_never_crash(vqrtool, tmp_path):
    rnd = random.Random(31)
    originals = [p.read_bytes() for p in SAMPLES] + list(GENERATED.values())
    target = tmp_path / "mutated.DAT"
    for i in range(400):
        data = bytearray(rnd.choice(originals))
        for _ in range(rnd.randint(1, 12)):
            kind = rnd.random()
            if kind < 0.6 and data:
                data[rnd.randrange(len(data))] = rnd.randrange(256)
            elif kind < 0.8:
                del data[rnd.randrange(len(data) + 1):]
            else:
                pos = rnd.randrange(len(data) + 1)
                data[pos:pos] = bytes(rnd.randrange(256) for _ in range(rnd.randint(1, 80)))
        target.write_bytes(data)
        try:
            rec = velqor.read(target)
        except velqor.DecodeError:
            rec = None
        if rec is not None:
            assert 0 <= rec.sample_count <= 1500 and rec.values.shape == (rec.sample_count, 16)
            stats = velqor.stats(rec, smooth=2)
            assert len(stats["curves"]) == 17
        if i % 20 == 0:  # the same verdict as vqrtool's
            status = vqrtool("info", target, check=False).returncode
            assert status == (1 if rec is None else 0), i


def test_threads_read_alike(generated):
    paths = all_recordings(generated) * 4
    expected = [velqor.read(p).values for p in paths]
    with ThreadPoolExecutor(4) as pool:
        got = list(pool.map(lambda p: velqor.read(p).values, paths))
    assert all(np.array_equal(a, b) for a, b in zip(expected, got))


def test_version_is_the_projects():
    cmake = (SOURCE_DIR / "CMakeLists.txt").read_text()
    assert velqor.__version__ == re.search(r"project\(vqrshow4 VERSION ([0-9.]+)", cmake).group(1)
    assert "read" in velqor.__all__ and (SOURCE_DIR / "python/velqor/__init__.pyi").exists()


def test_large_run_reads_all_slots():
    full = [p for p in SAMPLES if "full1500" in p.name]
    rec = velqor.read(full[0])
    assert rec.sample_count == 1500
    assert repr(rec).startswith("<velqor.Recording ") and "1500 samples" in repr(rec)


def test_a_generated_ramp_round_trips(tmp_path):
    path = tmp_path / "r.DAT"
    path.write_bytes(recording(ramp(10)))
    rec = velqor.read(path)
    assert list(rec.time_s) == [60 + 60 * i for i in range(10)]
    assert rec.duration_h == 600 / 3600
