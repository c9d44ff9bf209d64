#include "UiFramesTestSupport.h"

IMPLEMENT_DYNCREATE(CFtView, CView)
