// The program's language letter: 'E' in the editor, 'G' in the player. Each program sets it once at
// start, before any thread runs; the name tables and the text objects read it.
#pragma once

#include "framework/core/Core.h"

// Letters used with the name tables: a display language, or the column of stored keys.
const char LETTER_ENGLISH = 'E';
const char LETTER_GERMAN = 'G';
const char LETTER_KEYS = 'I';

char GetLanguage();
void SetLanguage(char letter);
BOOL IsGerman();
