#pragma once
// What the note's file commands tell the user, in the user's words: why a file could not
// be opened or saved (with the system's own text), and the two questions asked before
// something would be lost: characters a save cannot keep, bytes an open cannot show.
#include <windows.h>

#include <cstddef>
#include <string>
#include <vector>

#include "note/NoteFileIO.h"

namespace note {

// Reasons the program finds itself, without a system error code of their own.
constexpr DWORD kNotText = 0xE0000001;
constexpr DWORD kTextBoxRefused = 0xE0000002;

// How many of the characters a save cannot keep the user is shown.
constexpr std::size_t kLostCharactersShown = 10;

void TellOpenFailed(const Messenger& tell, const std::wstring& path, DWORD error, std::size_t maxChars);
void TellSaveFailed(const Messenger& tell, const std::wstring& path, DWORD error);
void TellDialogFailed(HWND note, DWORD commonDialogError);

// Whether to write although the listed characters have no code in the encoding.
bool AgreesToLose(const Messenger& tell, const std::wstring& path, Encoding encoding,
                  const std::vector<std::wstring>& lost);

// Whether to open although some bytes are not valid in the encoding and cannot be shown.
bool AgreesToOpenUndecodable(const Messenger& tell, const std::wstring& path, Encoding encoding);

// The note's own message box: captioned GlumaNote, owned by the note window.
Messenger MessageBoxOf(HWND note);

}  // namespace note
