// Bringing files into a project folder: pictures the user picks (copied in, under a free name when another
// file has theirs) and the files of a tutorial example.
#pragma once

#include "framework/win/Framework.h"

class CProjectPack;

// Brings a file into the project folder and gives its name relative to that folder. A bare file name means
// the file of that name beside the editor. A file inside the folder stays where it is; any other is copied in
// under its own name, or, when a different file already has that name (or the pack entry name it would get),
// under a free name the user is told about. The pack, when given, counts as holding the project's files too.
// FALSE when the result cannot be read.
BOOL ImportFileToProject(const char* filePath, const char* projectFolder, CString& relativeName,
                         const CProjectPack* pack = nullptr);
// Copies a file into the project folder under a name that neither a file of the folder nor an entry of the
// pack has, and tells the user so; copyPath is the copy. FALSE when it cannot be copied.
BOOL CopyIntoProjectUnderFreeName(const char* filePath, const char* projectFolder, const CProjectPack* pack,
                                  CString& copyPath);
// Copies the files that the example folder's "Tutor.ini" lists into the project folder, asking before one
// replaces a file of the same name. Returns how many were copied.
int CopyExampleFiles(const char* exampleFolder, const char* projectFolder);
