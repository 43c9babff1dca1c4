#include "log/log.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

int32_t logVerbosity = 0;
char logIndent[LOG_INDENT_SIZE] = "";
char pluginDirectory[PLUGIN_DIRECTORY_SIZE] = "";

static const char* const logFileName = "qaxExport.log";

void logToFile(const char* format, ...)
{
    if (pluginDirectory[0] == '\0')
        return;
    char path[LOG_MESSAGE_MAX + 1];
    int pathLength = snprintf(path, sizeof(path), "%s/%s", pluginDirectory, logFileName);
    if (pathLength < 0 || pathLength >= (int)sizeof(path))
        return; // a cut path would name another file

    char text[LOG_MESSAGE_MAX + 1];
    va_list args;
    va_start(args, format);
    vsnprintf(text, sizeof(text), format, args);
    va_end(args);

    FILE* file = fopen(path, "a");
    if (!file)
        return;
    fputs(text, file); // written as it stands, never read as a format again
    fclose(file);
}

void logPrint(int32_t level, const char* format, ...)
{
    if (level > logVerbosity)
        return;
    char message[LOG_MESSAGE_MAX + 1];
    va_list args;
    va_start(args, format);
    vsnprintf(message, sizeof(message), format, args);
    va_end(args);

    logToFile("%s%s", logIndent, message);
    fputs(logIndent, stderr);
    fputs(message, stderr);
    fflush(stderr);
}

void pushLogIndent()
{
    size_t length = strlen(logIndent);
    if (length + 2 > LOG_INDENT_SIZE - 1)
        return;
    logIndent[length] = ' ';
    logIndent[length + 1] = ' ';
    logIndent[length + 2] = '\0';
}

void popLogIndent()
{
    size_t length = strlen(logIndent);
    if (length < 2)
        return;
    logIndent[length - 2] = '\0';
}
