#pragma once
// site.qzd in the program folder: the newest-first lookup of a site's records and the
// append of one evaluation. Nothing stays open between calls; each call holds the file
// exclusively for its duration.
#include <windows.h>

#include <cstdint>

#include "base/record_file.h"
#include "base/unix_time.h"

#include "site_records.h"

// How a file operation ended (never kFlushFailed: the site file is not flushed).
using SiteFileResult = RecordFileResult;

// The operations on a file given by its full path, without any message. A file of zero
// length is an empty database: the scan finds nothing, the append writes the first record.
SiteFileResult ScanSiteFile(const char* path, int32_t key, SiteVisitor visit);
SiteFileResult AppendRecordToFile(const char* path, int32_t key, int rating, int32_t stampTime);

// The program's own file, with the failure shown in a message box owned by `owner`.
// True when the file could be read (also when no record matched) or the record written.
bool ScanSite(HWND owner, int32_t key, SiteVisitor visit);
bool AppendEvaluation(HWND owner, int32_t key, int rating);  // stamped with the present time
