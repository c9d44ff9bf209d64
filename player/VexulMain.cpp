// The player program's one application object.
#include "player/VexulApp.h"

CVexulApp theApp;
