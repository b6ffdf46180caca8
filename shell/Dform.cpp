#include "shell/Dform.h"

#include "note/frmNote.h"
#include "toolkit/Clock.h"
#include "toolkit/DateTime.h"

void NewNote(std::wstring tag, std::wstring caption) {
    // The note's load runs inside, while it is still hidden.
    frmNote* note = tk::LoadForm<frmNote>();
    if (!note) return;
    note->SetTag(std::move(tag));
    note->SetCaption(caption);
    const SYSTEMTIME now = tk::Now();
    note->SetCreationStamp(L"创建于 " + tk::FormatShortDate(now) + L" " + tk::FormatTime(now));
    note->Show();
}
