#pragma once
// The export log: every stage reports to "qaxExport.log" in the plug-in's directory (opened in append
// mode for each message) and echoes the same text to standard error.

#include <cstdint>

enum { LOG_INDENT_SIZE = 16, LOG_MESSAGE_MAX = 1023, PLUGIN_DIRECTORY_SIZE = 260 };

// Messages with a level above this threshold are dropped. Nothing sets it: only level 0 is written.
extern int32_t logVerbosity;
// Indent prefix, a run of at most 15 blanks; emptied at the start of every export.
extern char logIndent[LOG_INDENT_SIZE];
// Directory the plug-in was loaded from; the log file lies in it. Empty: console only.
extern char pluginDirectory[PLUGIN_DIRECTORY_SIZE];

// Formats a message (cut to 1023 characters) and, when level <= logVerbosity, appends the indent and
// the message to the log file and writes both to standard error, flushed.
void logPrint(int32_t level, const char* format, ...) __attribute__((format(printf, 2, 3)));

// Appends one formatted text (cut to 1023 characters) to the log file. A file that cannot be opened,
// or an empty pluginDirectory, costs only this copy.
void logToFile(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Adds two blanks to the indent; refused when the prefix would pass 15 characters.
void pushLogIndent();
// Removes two blanks; a prefix shorter than two characters is left unchanged.
void popLogIndent();
