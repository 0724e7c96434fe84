// Files, paths and the command line.
//
// Paths built in the module use the backslash separator ("errmsg\common.err",
// "..\Conf\MBF\"); ToSystemPath turns them into this system's paths and every
// function here that touches the file system calls it.
#pragma once

#include "platform/AnsiString.h"

// Backslashes become "/"; nothing else changes.
AnsiString ToSystemPath(const AnsiString& path);

bool FileExists(const AnsiString& path);
bool DirectoryExists(const AnsiString& path);
// The current folder, without a trailing separator.
AnsiString GetCurrentDir();
// Both "/" and "\" separate.
AnsiString ExtractFileName(const AnsiString& path);
// The folder part including its trailing separator ("" when none).
AnsiString ExtractFilePath(const AnsiString& path);
AnsiString ExtractFileExt(const AnsiString& path);

// The program's command line: SetCommandLine is called from main.
// ParamStr(0) is the absolute path of the executable; ParamStr(i) for i past
// ParamCount() is "".
void SetCommandLine(int argc, const char* const* argv);
int ParamCount();
AnsiString ParamStr(int index);
