#include "plugin/settings.h"

char outputPath[SETTINGS_PATH_SIZE] = "";
char projectDirectory[SETTINGS_PATH_SIZE] = "";
float exportScale = 1.0f;
uint8_t includeVertexColors = 0;
uint8_t useProjectRelativePaths = 0;
uint8_t optimizeModel = 0;

void toForwardSlashes(char* text)
{
    for (; *text; ++text)
        if (*text == '\\')
            *text = '/';
}
