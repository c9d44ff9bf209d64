// The Windows side of the framework in one include: the portable core, geometry, GDI, image lists,
// application, windows and message maps, dialogs, controls, common controls, property sheets, common
// dialogs, menus and resources, documents, views, frames and control bars.
#pragma once

#include "framework/core/Core.h"
#include "framework/win/Geometry.h"
#include "framework/win/Gdi.h"
#include "framework/win/ImageList.h"
#include "framework/win/MessageMap.h"
#include "framework/win/CmdTarget.h"
#include "framework/win/Resources.h"
#include "framework/win/Menu.h"
#include "framework/win/Wnd.h"
#include "framework/win/Controls.h"
#include "framework/win/Dialog.h"
#include "framework/win/CommonControls.h"
#include "framework/win/PropertySheet.h"
#include "framework/win/CommonDialogs.h"
#include "framework/win/FrameworkIds.h"
#include "framework/win/SafeFile.h"
#include "framework/win/Shell.h"
#include "framework/win/Document.h"
#include "framework/win/View.h"
#include "framework/win/Frame.h"
#include "framework/win/ControlBar.h"
#include "framework/win/RecentFileList.h"
#include "framework/win/App.h"
