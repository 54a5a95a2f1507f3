#pragma once
// Window-layout persistence for every window of the program:
//  - WindowPlacement.h  size, position and maximised state in Barmond.ini (iniSaveWindow/iniRestoreWindow)
//  - ListFormatManager.h  column layouts of lists in LFM_CFile, "List &Formats" context menu
//  - ControlPositions.h  positions of splitters and controls in LFM_DFile
//  - AutoSizeColumns.h  double-click auto-size of list columns
//  - StandardWarning.h  the standard warnings of forms and browses
//  - LayoutStore.h  the store interfaces, kept in memory (MemoryLayoutStore)
//  - DatabaseLayoutStore.h  the same stores over the database tables LFM_CFile and LFM_DFile

#include "ui/layout/AutoSizeColumns.h"
#include "ui/layout/ControlPositions.h"
#include "ui/layout/DatabaseLayoutStore.h"
#include "ui/layout/LayoutStore.h"
#include "ui/layout/ListFormat.h"
#include "ui/layout/ListFormatManager.h"
#include "ui/layout/StandardWarning.h"
#include "ui/layout/WindowPlacement.h"
