// The compile loop, its report, and the version probe.
#include <algorithm>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

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

// Keeps the faults in the order of the text: those found once the whole
// text is read go in at the offsets of their entries.
void Note(KpdCompileReport* report, KpdFault fault, DWORD offset) {
  if (report == nullptr || fault == KpdFault::kNone) {
    return;
  }
  const DWORD kept = std::min(report->faultCount, kKpdReportedFaults);
  DWORD at = kept;
  while (at > 0 && report->faults[at - 1].offset > offset) {
    --at;
  }
  if (at < kKpdReportedFaults) {
    const DWORD moved = std::min(kept, kKpdReportedFaults - 1) - at;
    std::copy_backward(report->faults + at, report->faults + at + moved, report->faults + at + moved + 1);
    report->faults[at] = {fault, offset};
  }
  ++report->faultCount;
}

bool JudgesExist(const WorkBKPD* work, const KpdHeldEntry& entry) {
  return std::all_of(entry.judges.begin(), entry.judges.end(),
                     [work](WORD number) { return KpdFindJudge(work, number) != nullptr; });
}

// Adds the entries held for the end of the text, in the order written.
void AddHeldEntries(const KpdCompiler& c, std::vector<KpdHeld>& held) {
  for (KpdHeld& h : held) {
    if (JudgesExist(c.work, *h.entry)) {
      h.entry->AddTo(c.work);
    } else {
      Note(c.report, KpdFault::kUnknownJudge, h.offset);
    }
  }
  held.clear();
}

DWORD ReadOffset(const FILEOBJ* f, DWORD size) { return size - f->remaining; }

// Reads and interprets every entry, then adds the entries that waited for
// their judges. A group still open at the end is closed as CloseUI would
// and noted. Running out of memory anywhere gives no result: a description
// missing a part is not the text's description.
WorkBKPD* Compile(FILEOBJ* f, WorkBKPD* work, KpdCompileReport* report) {
  const DWORD size = f->remaining;
  PARSEROBJ* parser = PARSEROBJ_Create();
  int r = parser == nullptr ? kKpdNoMemory : kKpdOk;
  std::vector<KpdHeld> held;
  KpdCompiler c{work, parser, report, 0, &held};
  while (r == kKpdOk || r == kKpdSyntax) {
    r = PARSEROBJ_ParseEntry(parser, f);
    c.entryEnd = ReadOffset(f, size);
    if (r == kKpdOk) {
      const KpdFault fault = KpdInterpret(c);
      Note(report, fault, c.entryEnd);
      if (fault == KpdFault::kNoMemory) {
        r = kKpdNoMemory;
      }
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
  AddHeldEntries(c, held);
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

KpdFault KpdTakeHeld(KpdCompiler& c, std::unique_ptr<KpdHeldEntry> entry) {
  if (c.held != nullptr) {
    c.held->push_back(KpdHeld{c.entryEnd, std::move(entry)});
    return KpdFault::kNone;
  }
  if (!JudgesExist(c.work, *entry)) {
    return KpdFault::kUnknownJudge;
  }
  entry->AddTo(c.work);
  return KpdFault::kNone;
}

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
