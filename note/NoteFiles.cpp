// The note menu's file commands: save the note's text to a note file, open a note file
// into the note. Owned by the note-files work, which fills these in; until then the two
// items are there and do nothing.
#include "note/frmNote.h"

void frmNote::mnuOpenNotes_Click() {}

void frmNote::mnuSaveNotes_Click() {}
