#pragma once
// A saved evaluation (.vqa): which recording was looked at, and how. A small,
// versioned JSON file: the recording (its path relative to the evaluation
// when it lies beside or below it) with its SHA-256, the compared
// recordings, smoothing and zero point applied, the diagram windows with
// their mode, axes and markers, the notes and the limits in force. The settings stay in the INI
// file. Reading checks everything before anything is used, so that a
// damaged or hostile file is refused as a whole.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "chart/notes.h"
#include "data/axes.h"
#include "settings/limits.h"

/// The format this program writes; a file of a higher version is refused.
constexpr int kEvaluationVersion = 1;
/// The largest evaluation file read.
constexpr size_t kMaxEvaluationBytes = 1 << 20;
/// The most diagram windows one evaluation holds.
constexpr size_t kMaxEvaluationWindows = 64;

struct TEvalRecording {
  std::string Path;            // as stored: relative to the evaluation's folder, or absolute
  std::string Sha256;          // 64 lower-case hexadecimal digits
  std::vector<int> Smoothing;  // distances applied in order
  bool operator==(const TEvalRecording&) const = default;
};

struct TEvalWindow {
  int Mode = 0;         // 1..16 a channel, kCombi1Mode, kCombi2Mode
  TAxisSet Axes;        // as shown, all three (free ranges with their ticks)
  bool Zoomed = false;  // by the two-click zoom
  int MarkA = 0;        // samples, 0 none
  int MarkB = 0;
  bool operator==(const TEvalWindow&) const = default;
};

struct TEvaluation {
  TEvalRecording Recording;
  std::vector<TEvalRecording> Compared;
  bool ZeroPoint = false;
  std::vector<TEvalWindow> Windows;  // the first diagram window first
  bool CoupledTime = false;          // "Zeitachsen koppeln"
  TNotes Notes;
  TVQRLimits Limits;  // the limits in force when saved
  bool operator==(const TEvaluation&) const = default;
};

enum class TEvalError {
  None,
  OpenFailed,     // the file cannot be opened (Errno says why)
  NotRegular,     // a folder, FIFO, socket or device
  TooLarge,       // above kMaxEvaluationBytes
  Damaged,        // not JSON, or cut short
  NotEvaluation,  // JSON, but not an evaluation of this program
  NewerVersion,   // written by a newer version (Version says which)
  WrongType,      // Field holds a value of the wrong type, or is missing
  BadValue,       // Field holds a value out of its range
};

struct TEvalResult {
  TEvalError Error = TEvalError::None;
  std::string Field;  // e.g. "windows[0].mode"
  int Errno = 0;
  long long Version = 0;
  explicit operator bool() const { return Error == TEvalError::None; }
};

/// The evaluation as JSON text (UTF-8, indented, "\n" line ends).
std::string EvaluationJson(const TEvaluation& eval);
/// Reads JSON text; out changes only when the whole text is a valid evaluation.
TEvalResult ParseEvaluation(std::string_view text, TEvaluation& out);

/// Reads a regular file of at most kMaxEvaluationBytes.
TEvalResult ReadEvaluationFile(const std::string& path, TEvaluation& out);
/// Writes through the atomic writer; false with the errno in *errorNumber.
bool WriteEvaluationFile(const std::string& path, const TEvaluation& eval,
                         int* errorNumber = nullptr);

/// The recording's path as an evaluation at evaluationPath stores it: relative
/// when it lies in the evaluation's folder or below, else as given. Both are
/// absolute paths.
std::string StoredRecordingPath(const std::string& recording, const std::string& evaluationPath);
/// The absolute path a stored path names for the evaluation at evaluationPath.
std::string ResolveRecordingPath(const std::string& stored, const std::string& evaluationPath);

enum class TRecordingState {
  Same,        // the file is there with the hash noted
  Missing,     // no such file (moved or removed)
  NotRegular,  // a folder, FIFO or device
  Unreadable,  // cannot be read (Errno)
  Changed,     // its contents differ from those noted
};

/// Whether the recording at path still holds the bytes whose hash is sha256.
TRecordingState CheckRecording(const std::string& path, const std::string& sha256,
                               int* errorNumber = nullptr);
/// The SHA-256 of the file at path (empty, with the errno, when it cannot be read).
std::string RecordingSha256(const std::string& path, int* errorNumber = nullptr);
