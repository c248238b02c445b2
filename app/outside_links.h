#pragma once
// The program's ways out: web pages, files, the Internet Options panel and the help file.
#include <windows.h>
#include <shellapi.h>

// Every outside address the program opens, in one place.
constexpr const char* kServiceHomePage = "https://www.clicks4u.example/?ref=brenholt";
constexpr const char* kMakerWebSite = "https://www.brenholt.example/";
constexpr const char* kSupportMail = "mailto:support@brenholt.example?subject=Tavrik Rateline 1.0 - Support";

// Asks the shell to open a web address or a file with its default action and returns at
// once; whether the shell accepted the request.
bool OpenDocument(HWND owner, const char* target);

// The shell's execute service; tests put a recorder in its place (null restores the shell).
using ShellExecutor = BOOL(WINAPI*)(SHELLEXECUTEINFOA* request);
void SetShellExecutor(ShellExecutor executor);

// Starts the Internet Options control panel; the result is not looked at.
void OpenInternetOptions();

// Opens what the member stored as "Clicks4U"; nothing when it is missing or empty.
void OpenServicePage(HWND window);

// Opens rtln.chm from the program folder.
void OpenHelpFile(HWND owner);
