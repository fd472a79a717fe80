#ifndef TNLOG_H
#define TNLOG_H

// The one diagnostic output: printf-style text into "stdout.log", flushed
// after every call so a crash never loses a line. Callers bring their own
// line breaks.
void Log(const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;

// One line for a data file that cannot be used, naming it and why:
// "Error: ../sound/fire.wav: truncated (...)". A file is named once per log,
// however often it fails, so that a file tried every frame does not flood it.
void LogFileProblem(const char* fileName, const char* reason);

// Opens the log ("stdout.log" in the working directory unless another path
// is given), truncating an older one. Returns false when the file cannot be
// created (the log then goes nowhere).
bool OpenLog(const char* fileName = "stdout.log");

// Closes the log; later Log calls write nothing.
void CloseLog();

#endif
