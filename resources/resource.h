// Resource ids of GlumaNote.exe, shared by GlumaNote.rc and the program's code.
// Plain #defines only: the resource compiler reads this file too.
#ifndef GLUMA_RESOURCE_H
#define GLUMA_RESOURCE_H

// The application icon has the lowest icon id, so Explorer and the taskbar pick it.
#define IDI_GLUMANOTE 1

// The note card's skin: 284 x 210, 24 bits, white margin as the key colour.
#define IDB_SKIN 101

// The pointing hand shown over the about box's link.
#define IDC_LINKHAND 102

#endif
