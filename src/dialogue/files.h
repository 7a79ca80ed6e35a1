#pragma once
// The file layer moved to fileio/files.h. This name stays only until src/dlgcheck/cli.cpp
// includes that one; nothing else may include it.

#include "fileio/files.h"
