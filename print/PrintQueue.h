#pragma once
// Whether a printer queue can take a job now. The print engine hands the job
// to CUPS without reporting a refusal, so the queue is asked before printing.

#include <QString>

class QPrinter;

enum class TPrintQueueState { Ready, Missing, Stopped, Rejecting };

/// Ready for a PDF writer; for a CUPS queue, as the server sees it now.
TPrintQueueState PrintQueueState(const QPrinter& printer);

/// The German message for a queue that is not ready ("" when it is).
QString PrintQueueProblem(const QPrinter& printer);
