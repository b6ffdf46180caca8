#pragma once
// What the note's file commands tell the user, in the user's words: why a file could not
// be opened or saved (with the system's own text), where each content is when a save ends
// half way, and the two questions asked before something would be lost: characters a save
// cannot keep, bytes an open cannot show.
#include <windows.h>

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "note/NoteFileIO.h"
#include "toolkit/TextFile.h"

namespace note {

// Shows a message to the user and returns the button chosen (IDOK, IDCANCEL, ...). The note
// window gives a message box of its own; tests give one that answers by itself.
using Messenger = std::function<int(const std::wstring& text, UINT flags)>;

// How many of the characters a save cannot keep the user is shown.
constexpr std::size_t kLostCharactersShown = 10;

void TellOpenFailed(const Messenger& tell, const std::wstring& path, DWORD error, std::size_t maxChars);
// Says nothing after a save that left nothing behind.
void TellSaveOutcome(const Messenger& tell, const std::wstring& path, const tk::SaveOutcome& outcome);
void TellDialogFailed(HWND note, DWORD commonDialogError);

// Whether to write although the listed characters have no code in the encoding.
bool AgreesToLose(const Messenger& tell, const std::wstring& path, Encoding encoding,
                  const std::vector<std::wstring>& lost);

// Whether to open although some bytes are not valid in the encoding and cannot be shown.
bool AgreesToOpenUndecodable(const Messenger& tell, const std::wstring& path, Encoding encoding);

// The note's own message box: captioned GlumaNote, owned by the note window.
Messenger MessageBoxOf(HWND note);

}  // namespace note
