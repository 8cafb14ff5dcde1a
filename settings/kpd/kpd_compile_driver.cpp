// The compile loop, its report, and the version probe.
#include <algorithm>
#include <iterator>
#include <string>

#include "settings/kpd/kpd_compile_internal.h"
#include "settings/system/memptr.h"
#include "settings/values/text_language.h"

namespace {

constexpr LPCSTR kFaultNames[] = {
    "none",          "syntax",        "unknown keyword", "group not closed",    "no open group",
    "unknown group", "unknown value", "unknown option",  "wrong group type",    "type word too long",
    "number range",  "bad string",    "bad value",       "malformed judge",     "judge too long",
    "unknown judge", "unclosed braces", "nested too deep", "no memory",
};
static_assert(std::size(kFaultNames) == kKpdFaultCount);

void Note(KpdCompileReport* report, KpdFault fault, DWORD offset) {
  if (report == nullptr || fault == KpdFault::kNone) {
    return;
  }
  if (report->faultCount < kKpdReportedFaults) {
    report->faults[report->faultCount] = {fault, offset};
  }
  ++report->faultCount;
}

DWORD ReadOffset(const FILEOBJ* f, DWORD size) { return size - f->remaining; }

// Reads and interprets every entry. A group still open at the end is closed
// as CloseUI would and noted.
WorkBKPD* Compile(FILEOBJ* f, WorkBKPD* work, KpdCompileReport* report) {
  const DWORD size = f->remaining;
  PARSEROBJ* parser = PARSEROBJ_Create();
  int r = parser == nullptr ? kKpdNoMemory : kKpdOk;
  KpdCompiler c{work, parser, report, 0};
  while (r == kKpdOk || r == kKpdSyntax) {
    r = PARSEROBJ_ParseEntry(parser, f);
    c.entryEnd = ReadOffset(f, size);
    if (r == kKpdOk) {
      Note(report, KpdInterpret(c), c.entryEnd);
    } else if (r == kKpdSyntax) {
      Note(report, KpdFault::kSyntax, c.entryEnd);
    }
  }
  PARSEROBJ_Free(parser);
  // Definition macros name definitions of this text only.
  WorkBKPD_FreeMacros(work);
  if (r == kKpdEndOfFile && work->openGroupKeyword != nullptr) {
    // Closing looks the group up, which may need memory for the group index.
    const KpdFault closed = KpdCatchNoMemory([work] {
      KpdCloseOpenGroup(work);
      return KpdFault::kNone;
    });
    if (closed != KpdFault::kNone) {
      r = kKpdNoMemory;
    } else {
      Note(report, KpdFault::kGroupNotClosed, size);
    }
  }
  if (report != nullptr) {
    report->endResult = r;
  }
  if (r != kKpdEndOfFile) {
    WorkBKPD_Free(work);
    return nullptr;
  }
  return work;
}

FILEOBJ* OpenView(const void* source, DWORD size, WORD* crc) {
  return FILEOBJ_CreateFromView(static_cast<const BYTE*>(source), size, crc);
}

FILEOBJ* OpenFile(const void* source, DWORD, WORD* crc) {
  return FILEOBJ_Create(static_cast<LPCWSTR>(source), crc);
}

WorkBKPD* Run(FILEOBJ* (*open)(const void*, DWORD, WORD*), const void* source, DWORD size,
              KpdCompileReport* report) {
  if (report != nullptr) {
    *report = KpdCompileReport{};
  }
  WorkBKPD* work = WorkBKPD_Entry();
  if (work == nullptr) {
    if (report != nullptr) {
      report->endResult = kKpdNoMemory;
    }
    return nullptr;
  }
  FILEOBJ* f = open(source, size, &work->crc);
  if (f == nullptr) {
    // A view fails to open only for lack of memory; a file may also be absent.
    if (report != nullptr && open == OpenView) {
      report->endResult = kKpdNoMemory;
    }
    WorkBKPD_Free(work);
    return nullptr;
  }
  WorkBKPD* result = Compile(f, work, report);
  FILEOBJ_Close(f);
  return result;
}

}  // namespace

void KpdNote(const KpdCompiler& c, KpdFault fault) { Note(c.report, fault, c.entryEnd); }

LPCSTR KpdFaultName(KpdFault fault) {
  const auto i = static_cast<SIZE_T>(fault);
  return i < kKpdFaultCount ? kFaultNames[i] : "?";
}

WorkBKPD* WorkBKPD_Create(LPCWSTR fileName) { return WorkBKPD_CreateWithReport(fileName, nullptr); }

WorkBKPD* WorkBKPD_CreateWithReport(LPCWSTR fileName, KpdCompileReport* report) {
  if (fileName == nullptr) {
    return nullptr;
  }
  return Run(OpenFile, fileName, 0, report);
}

WorkBKPD* WorkBKPD_CreateFromText(const BYTE* text, DWORD size, KpdCompileReport* report) {
  return Run(OpenView, text, size, report);
}

void KpdCopyVersion(std::string_view raw, LPWSTR version) {
  const std::string cut(raw.substr(0, std::min<size_t>(raw.size(), kKpdVersionChars)));
  CopyStr2Unicode(version, cut.c_str(), static_cast<int>(kKpdVersionChars + 2));
}

int GetKPDVersion(LPCWSTR fileName, LPWSTR version) {
  if (fileName == nullptr || version == nullptr) {
    return 1;
  }
  FILEOBJ* f = FILEOBJ_Create(fileName, nullptr);
  PARSEROBJ* p = f == nullptr ? nullptr : PARSEROBJ_Create();
  if (p != nullptr) {
    int r = kKpdOk;
    while (r != kKpdEndOfFile && r != kKpdNoMemory) {
      r = PARSEROBJ_ParseEntry(p, f);
      if (r == kKpdOk && KpdText(p->keyword) == "FileVersion") {
        KpdCopyVersion(KpdText(p->value), version);  // GetVersionProc
        break;
      }
    }
  }
  PARSEROBJ_Free(p);
  FILEOBJ_Close(f);
  return 1;
}
