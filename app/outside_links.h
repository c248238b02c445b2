#pragma once
// The program's ways out: web pages, files, the Internet Options panel and the help file.
#include <windows.h>
#include <shellapi.h>

#include "product_facts.h"

// Every outside address the program opens, in one place.
constexpr const char* kServiceHomePage = RTLN_SERVICE_HOME_PAGE;
constexpr const char* kMakerWebSite = RTLN_MAKER_WEB_SITE;
constexpr const char* kSupportMail = "mailto:" RTLN_SUPPORT_MAIL "?subject=" RTLN_NAME_AND_VERSION " - Support";

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
