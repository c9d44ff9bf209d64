// The portable framework core in one include.
#pragma once

#include "framework/core/wintypes.h"
#include "framework/core/String.h"
#include "framework/core/Object.h"
#include "framework/core/File.h"
#include "framework/core/Archive.h"
#include "framework/core/Collections.h"
#include "framework/core/MessageBox.h"
#include "framework/core/Path.h"
