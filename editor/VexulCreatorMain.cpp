// The editor program. Its application object lives with the editor's code, where the editor's tests use it
// too; the program names it here so that the linker takes it in.
#include "editor/VexulCreatorApp.h"

extern CVexulCreatorApp& g_editorApp;
CVexulCreatorApp& g_editorApp = theApp;
