#pragma once
// Window-layout persistence for every window of the program:
//  - WindowPlacement.h  size, position and maximised state in Barmond.ini (iniSaveWindow/iniRestoreWindow)
//  - ListFormatManager.h  column layouts of lists in LFM_CFile, "List &Formats" context menu
//  - ControlPositions.h  positions of splitters and controls in LFM_DFile
//  - AutoSizeColumns.h  double-click auto-size of list columns
//  - StandardWarning.h  the standard warnings of forms and browses
//  - LayoutStore.h  the store interfaces, kept in memory (MemoryLayoutStore)
//  - DatabaseLayoutStore.h  the same stores over the database tables LFM_CFile and LFM_DFile

#include "AutoSizeColumns.h"
#include "ControlPositions.h"
#include "DatabaseLayoutStore.h"
#include "LayoutStore.h"
#include "ListFormat.h"
#include "ListFormatManager.h"
#include "StandardWarning.h"
#include "WindowPlacement.h"
