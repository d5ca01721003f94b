#pragma once

// The program's resources: menu, accelerators, strings, icons and version record.
#include "app/AcceleratorResource.h"
#include "app/IconResource.h"
#include "app/MenuResource.h"
#include "app/StringTable.h"
#include "app/Version.h"
