#include "tests/settings/bkpd/bkpd_sample.h"

#include <cstring>
#include <initializer_list>
#include <sstream>
#include <string_view>
#include <vector>

#include "settings/system/memptr.h"

namespace sample {

void SetElseIfChain(WorkBKPD* w, BkpdCommandGroupIndex which, int levels);

namespace {

template <class T>
T* New() {
  return static_cast<T*>(GetMemPtr(sizeof(T)));
}

LPSTR Text(const char* s) {
  if (s == nullptr) {
    return nullptr;
  }
  auto* copy = static_cast<LPSTR>(GetMemPtr(std::strlen(s) + 1));
  std::strcpy(copy, s);
  return copy;
}

LPWSTR Wide(const char16_t* s) {
  size_t n = 0;
  while (s[n] != 0) {
    ++n;
  }
  auto* copy = static_cast<LPWSTR>(GetMemPtr((n + 1) * sizeof(WCHAR)));
  std::memcpy(copy, s, (n + 1) * sizeof(WCHAR));
  return copy;
}

// Appends to a singly linked list.
template <class Node>
Node* Append(Node*& head, Node* node) {
  Node** link = &head;
  while (*link != nullptr) {
    link = &(*link)->next;
  }
  *link = node;
  return node;
}

WorkUiGroup* Group(WorkBKPD* w, WORD groupId, WORD funcId, WORD type) {
  WorkUiGroup* g = New<WorkUiGroup>();
  g->groupId = groupId;
  g->funcId = funcId;
  g->type = type;
  return Append(w->header->groups, g);
}

WorkOption* Option(WorkUiGroup* g, WORD value, const char* command) {
  WorkOption* o = New<WorkOption>();
  o->value = value;
  o->command = Text(command);
  return Append(g->options, o);
}

WorkCommandPair* Pair(const char* first, const char* second) {
  WorkCommandPair* p = New<WorkCommandPair>();
  p->first = Text(first);
  p->second = Text(second);
  return p;
}

void Judge(WorkBKPD* w, DWORD number, std::initializer_list<JudgeToken> tokens) {
  WorkJudge* j = New<WorkJudge>();
  j->number = number;
  j->areaSize = static_cast<DWORD>(tokens.size() * sizeof(JudgeToken));
  j->tokens = static_cast<JudgeToken*>(GetMemPtr(j->areaSize));
  std::memcpy(j->tokens, tokens.begin(), j->areaSize);
  Append(w->judges, j);
}

template <class Entry>
WorkDefinition<Entry>* Definition(WorkDefinition<Entry>*& list, DWORD number, std::initializer_list<Entry> entries) {
  auto* d = New<WorkDefinition<Entry>>();
  d->number = number;
  for (const Entry& e : entries) {
    Entry* copy = New<Entry>();
    *copy = e;
    copy->next = nullptr;
    Append(d->first, copy);
  }
  return Append(list, d);
}

void CommandString(WorkBKPD* w, DWORD id, const char* text, bool terminated) {
  WorkCommandString* s = New<WorkCommandString>();
  s->id = id;
  s->length = static_cast<DWORD>(std::strlen(text) + (terminated ? 1 : 0));
  s->text = Text(text);
  Append(w->commandStrings, s);
}

WorkCommandNode* Node(WorkCommandNode*& list, WORD kind) {
  WorkCommandNode* n = New<WorkCommandNode>();
  n->kind = kind;
  return Append(list, n);
}

WorkCommandGroup* CommandGroup(DWORD condition) {
  WorkCommandGroup* g = New<WorkCommandGroup>();
  g->condition = condition;
  return g;
}

WorkFont** Fonts(std::initializer_list<std::pair<LONG, const char*>> fonts, std::initializer_list<bool> present) {
  auto** table = static_cast<WorkFont**>(GetMemPtr(fonts.size() * sizeof(WorkFont*)));
  auto keep = present.begin();
  size_t i = 0;
  for (const auto& [number, name] : fonts) {
    if (*keep++) {
      table[i] = New<WorkFont>();
      table[i]->number = number;
      table[i]->name = Text(name);
    }
    ++i;
  }
  return table;
}

void BuildGroups(WorkBKPD* w) {
  WorkUiGroup* page = Group(w, kPageSize, 8, kUiPickPage);
  page->commands = Pair("@PJL SET PAPER=", "\r\n");
  WorkOption* a4 = Option(page, 1, "A4");
  a4->mmWidth = 2100;
  a4->mmLength = 2970;
  WorkPageArea* portrait = Append(a4->areas, New<WorkPageArea>());
  *portrait = {nullptr, 600, 1, 0, 0, {100, 120, 4760, 6776, 1, 2}};
  WorkPageArea* duplexOnly = Append(a4->areas, New<WorkPageArea>());
  *duplexOnly = {nullptr, 600, 2, kDuplex, 1, {120, 100, 6776, 4760, 2, 1}};
  Option(page, 2, nullptr);

  WorkUiGroup* duplex = Group(w, kDuplex, 10001, kUiBoolean);
  duplex->boolean = New<WorkBoolean>();
  *duplex->boolean = {1, Text("ON"), Text("OFF")};

  WorkUiGroup* copies = Group(w, kCopies, 1200, kUiNumeric);
  copies->numeric = New<WorkNumeric>();
  *copies->numeric = {1, 1, 5, 6, 7, -8, 1, 999, 1};

  WorkUiGroup* user = Group(w, kUserName, 700, kUiString);
  user->string = New<WorkString>();
  *user->string = {0, 31, kStrAscii, kStrPassword};

  WorkUiGroup* tray = Group(w, kTray, 9, kUiPickSlot);
  WorkOption* tray1 = Option(tray, 1, "T1");
  tray1->paperCount = 2;
  tray1->papers = static_cast<WORD*>(GetMemPtr(2 * sizeof(WORD)));
  tray1->papers[0] = 9;
  tray1->papers[1] = 1;
  Option(tray, 2, "MP");  // no papers

  WorkUiGroup* fonts = Group(w, kFontSub, 10050, kUiFontTbl);
  WorkOption* table = Option(fonts, 1, nullptr);
  table->pairCount = 2;
  table->trueTypeNames = static_cast<LPSTR*>(GetMemPtr(2 * sizeof(LPSTR)));
  table->deviceNames = static_cast<LPSTR*>(GetMemPtr(2 * sizeof(LPSTR)));
  table->trueTypeNames[0] = Text("Arial");
  table->deviceNames[0] = Text("Helvetica");
  table->trueTypeNames[1] = Text("Times");

  WorkUiGroup* media = Group(w, kMedia, 11, kUiPickOne | kUiTypeUnknown);
  Option(media, 1, "PLAIN");
  Option(media, 2, "THICK");
  Option(media, 3, nullptr);
  media->defaultValue = 1;
  for (WORD sub = 1; sub <= 2; ++sub) {
    WorkUiGroup* copy = Group(w, kMedia, 11, media->type);
    copy->subGroupId = sub;
    copy->options = media->options;  // shared, as the compiler copies a group
    copy->defaultValue = media->defaultValue;
    if (sub == 1) {
      copy->commands = Pair("SUB1", nullptr);
    }
  }
  WorkUiGroup* identity = Group(w, kMediaCopy, 13, kUiIdentity | media->type);
  identity->subGroupId = kMedia;
  identity->options = media->options;

  WorkUiGroup* odd = Group(w, kOdd, 14, kUiPickPage | kUiPickSlot);
  Option(odd, 1, "ODD");

  WorkUiGroup* bins = Group(w, kBins, 15, kUiPickMany);
  Option(bins, 4, "BIN4");
  Option(bins, 5, "BIN5");
}

void BuildConstraints(WorkBKPD* w) {
  Judge(w, 1, {{kJudgeSetting, 10001}, {kJudgeConstant, 1}, {kJudgeOperator, kJudgeOpEqual}, {kJudgeOperator, kJudgeOpEnd}});
  Judge(w, 2, {{kJudgeSetting, 8}, {kJudgeConstant, 2}, {kJudgeOperator, kJudgeOpNotEqual}, {kJudgeOperator, kJudgeOpEnd}});
  Judge(w, 3, {{kJudgeSetting, 8}, {kJudgeOperator, kJudgeOpEqual}, {kJudgeOperator, kJudgeOpEnd}});  // malformed
  Definition(w->items, 1,
             {WorkItem{nullptr, 2, 1, 0}, WorkItem{nullptr, 3, 0, MakeWorkRef(kRefJudge, 3)}});
  Definition(w->actions, 1, {WorkAction{nullptr, 10001, 0, 0}, WorkAction{nullptr, 5, 1, 0}});
  Definition(w->transacts, 1,
             {WorkTransact{nullptr, MakeWorkRef(kRefJudge, 1), MakeWorkRef(kRefAction, 1)},
              WorkTransact{nullptr, 0, MakeWorkRef(kRefAction, 99)}});
  Definition(w->alertActions, 1, {WorkAlertAction{nullptr, 1, MakeWorkRef(kRefTransact, 1), 3, 1001}});
  Definition(w->alerts, 1,
             {WorkAlert{nullptr, MakeWorkRef(kRefJudge, 2), 42, 0x30, 1, kAlertOkApply,
                        MakeWorkRef(kRefAlertAction, 1)}});
  WorkExclusive* media = Append(w->exclusives, New<WorkExclusive>());
  *media = {nullptr, kMedia, 0, MakeWorkRef(kRefJudge, 2), MakeWorkRef(kRefItem, 1), MakeWorkRef(kRefAlert, 1),
            MakeWorkRef(kRefTransact, 1), MakeWorkRef(kRefItem, 1), 0};
  WorkExclusive* page = Append(w->exclusives, New<WorkExclusive>());
  *page = {nullptr, kPageSize, MakeWorkRef(kRefJudge, 1), 0, 0, 0, 0, 0, 0};
}

void BuildCommands(WorkBKPD* w) {
  CommandString(w, 1, "@PJL JOB\r\n", true);
  CommandString(w, 2, "@PJL EOJ\r\n", true);
  CommandString(w, 3, "BROKEN", false);  // no terminating zero: not packed

  WorkCommandGroup* job = CommandGroup(0);
  Node(job->main, kCmdStringType)->stringId = 1;
  WorkCommandNode* paper = Node(job->main, kCmdGroupType);
  paper->groupId = kPageSize;
  WorkCommandNode* conditional = Node(job->main, kCmdNested);
  conditional->nested = CommandGroup(1);
  Node(conditional->nested->main, kCmdFontType);
  Node(conditional->nested->elseList, kCmdStringType)->stringId = 2;
  Node(job->main, kWorkCmdNone);
  Node(job->main, kCmdStringType)->stringId = 3;
  w->header->commandGroups[kBkpdJobStart] = job;

  WorkCommandGroup* page = CommandGroup(2);
  WorkCommandNode* duplex = Node(page->main, kCmdGroupType);
  duplex->groupId = kDuplex;
  duplex->number = -1;
  Node(page->elseList, kCmdStringType)->stringId = 2;
  w->header->commandGroups[kBkpdPageStart] = page;

  SetElseIfChain(w, kBkpdPageEnd, 2);
}

}  // namespace

void SetElseIfChain(WorkBKPD* w, BkpdCommandGroupIndex which, int levels) {
  WorkCommandGroup* top = CommandGroup(0);
  WorkCommandGroup* level = top;
  for (int i = 0; i < levels; ++i) {
    WorkCommandNode* n = Node(level->elseList, kCmdNested);
    n->nested = CommandGroup(1);
    level = n->nested;
  }
  Node(level->main, kCmdFontType);
  w->header->commandGroups[which] = top;
}

WorkBKPD* Build() {
  WorkBKPD* w = WorkBKPD_Entry();
  std::memcpy(w->header->version, u"4.88", 5 * sizeof(WCHAR));
  BuildGroups(w);
  BuildConstraints(w);
  BuildCommands(w);
  w->header->uiResDllName = Wide(u"kesmres.dll");
  w->header->deviceFontCount = 3;
  w->header->deviceFonts = Fonts({{1, "Courier"}, {2, "unused"}, {3, "Gothic"}}, {true, false, true});
  w->header->optionFontCount = 2;
  w->header->optionFonts = Fonts({{10, "Barcode"}, {11, nullptr}}, {true, true});
  return w;
}

namespace {

// Text with its line ends written as \r and \n and other control bytes in
// hex (\x1B).
std::string Escaped(std::string_view text) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '\r' || c == '\n') {
      out += c == '\r' ? "\\r" : "\\n";
    } else if (byte < 0x20) {
      out += std::string("\\x") + kHex[byte >> 4] + kHex[byte & 0xF];
    } else {
      out.push_back(c);
    }
  }
  return out;
}

std::string Ansi(PCBKPD b, DWORD offset) {
  LPCSTR s = BkpdAnsi(b, offset);
  return s == nullptr ? "-" : "'" + Escaped(s) + "'";
}

std::string Narrow(LPCWSTR s) {
  if (s == nullptr) {
    return "-";
  }
  std::string out;
  for (; *s != 0; ++s) {
    out.push_back(static_cast<char>(*s));
  }
  return out;
}

std::string Judge(PCBKPD b, DWORD tagged) {
  std::string out = "[";
  for (const JudgeToken& t : BkpdJudge(b, tagged)) {
    out += std::to_string(t.kind) + ":" + std::to_string(t.value) + " ";
  }
  return out + "]";
}

void DescribeOption(std::ostream& os, PCBKPD b, const UiGroup* g, const UiOption* o) {
  os << "  option " << o->value << " " << Ansi(b, o->command);
  if (const UiPageOption* p = BkpdPageOption(b, g, o)) {
    os << " size " << p->width << "x" << p->length;
    for (const UiPageArea* a = BkpdFirstPageArea(b, p); a != nullptr; a = BkpdNext(b, a)) {
      os << " area(" << a->resolution << "," << a->orientation << "," << a->condGroupId << "=" << a->condValue
         << ": " << a->left << " " << a->top << " " << a->width << " " << a->height << " " << a->first << " "
         << a->second << ")";
    }
  }
  if (const UiSlotOption* s = BkpdSlotOption(b, g, o)) {
    os << " papers";
    for (WORD paper : BkpdSlotPapers(b, s)) {
      os << " " << paper;
    }
  }
  if (const UiFontTblOption* f = BkpdFontTblOption(b, g, o)) {
    for (DWORD i = 0; i < f->count; ++i) {
      const LPCSTR tt = BkpdFontTblTrueType(b, f, i);
      const LPCSTR dev = BkpdFontTblDevice(b, f, i);
      os << " " << (tt ? tt : "-") << "->" << (dev ? dev : "-");
    }
  }
  os << "\n";
}

void DescribeGroup(std::ostream& os, PCBKPD b, const UiGroup* g) {
  os << "group " << g->groupId << "/" << g->subGroupId << " func " << g->funcId << " type " << std::hex << g->type
     << std::dec << " default " << g->defaultIndex;
  if (const UiCommandPair* p = BkpdGroupCommands(b, g)) {
    os << " commands " << Ansi(b, p->first) << " " << Ansi(b, p->second);
  }
  if (const ExclusiveRecord* x = BkpdGroupExclusive(b, g)) {
    os << " exclusive " << x->groupId;
  }
  os << " options@" << g->options << "\n";
  for (const UiOption* o = BkpdFirstOption(b, g); o != nullptr; o = BkpdNext(b, o)) {
    DescribeOption(os, b, g, o);
  }
  if (const UiBooleanValue* v = BkpdBooleanValue(b, g)) {
    os << "  boolean " << v->defaultValue << " " << Ansi(b, v->trueCommand) << " " << Ansi(b, v->falseCommand) << "\n";
  }
  if (const UiNumericValue* n = BkpdNumericValue(b, g)) {
    os << "  numeric " << n->lead << " " << n->first << " " << n->second << " " << n->third << " " << n->fourth << " "
       << n->fifth << " " << n->sixth << " " << n->seventh << " " << n->eighth << "\n";
  }
  if (const UiStringValue* s = BkpdStringValue(b, g)) {
    os << "  string " << s->defaultValue << " " << s->maxLength << " " << s->stringType << " " << s->displayType << "\n";
  }
}

void DescribeTransacts(std::ostream& os, PCBKPD b, DWORD tagged, const char* indent) {
  for (const ExclusiveTransact* t = BkpdTransactList(b, tagged); t != nullptr; t = BkpdNext(b, t)) {
    os << indent << "transact " << Judge(b, t->judge) << " actions";
    for (const ExclusiveAction* a = BkpdActionList(b, t->actionList); a != nullptr; a = BkpdNext(b, a)) {
      os << " " << a->funcId << (a->flag == kActionStop ? "!" : "=") << a->value;
    }
    os << "\n";
  }
}

void DescribeExclusive(std::ostream& os, PCBKPD b, const ExclusiveRecord* x) {
  os << "exclusive " << x->groupId << " hide " << Judge(b, x->hideJudge) << " disable " << Judge(b, x->disableJudge)
     << "\n";
  for (const ExclusiveItem* i = BkpdItemList(b, x->itemList); i != nullptr; i = BkpdNext(b, i)) {
    os << "  item " << i->optionValue << " hide " << Judge(b, i->hideJudge) << " disable "
       << Judge(b, i->disableJudge) << "\n";
  }
  for (const ExclusiveAlert* a = BkpdAlertList(b, x->alertList); a != nullptr; a = BkpdNext(b, a)) {
    os << "  alert " << a->alertId << " icon " << a->icon << " button " << a->button << " timing " << a->timing
       << " when " << Judge(b, a->judge) << "\n";
    for (const ExclusiveAlertAction* aa = BkpdAlertActionList(b, a->alertActionList); aa != nullptr;
         aa = BkpdNext(b, aa)) {
      os << "   on " << aa->result << " tab " << aa->tabId << " control " << aa->controlId << "\n";
      DescribeTransacts(os, b, aa->transact, "    ");
    }
  }
  DescribeTransacts(os, b, x->transact, "  ");
  DescribeTransacts(os, b, x->transact2, "  2nd ");
}

void DescribeCommands(std::ostream& os, PCBKPD b, const BKPDCOMMANDGROUP* g, int depth);

void DescribeEntries(std::ostream& os, PCBKPD b, const CmdEntryHead* e, int depth) {
  for (; e != nullptr; e = BkpdNext(b, e)) {
    os << std::string(static_cast<size_t>(depth) * 2, ' ');
    if (const CmdGroupEntry* g = BkpdAsGroupEntry(b, e)) {
      os << "group " << g->groupId << " " << g->number << "\n";
    } else if (const CmdStringEntry* s = BkpdAsStringEntry(b, e)) {
      const auto text = BkpdCommandText(b, s);
      const std::string_view chars(reinterpret_cast<const char*>(text.data()), text.size());
      os << "string " << s->length << " '" << Escaped(chars.substr(0, chars.empty() ? 0 : chars.size() - 1))
         << "'\n";
    } else if (const CmdNestedEntry* n = BkpdAsNestedEntry(b, e)) {
      os << "nested\n";
      DescribeCommands(os, b, BkpdNestedGroup(b, n), depth + 1);
    } else {
      os << (e->type == kCmdFontType ? "fonts" : "type " + std::to_string(e->type)) << "\n";
    }
  }
}

void DescribeCommands(std::ostream& os, PCBKPD b, const BKPDCOMMANDGROUP* g, int depth) {
  if (g == nullptr) {
    return;
  }
  os << std::string(static_cast<size_t>(depth) * 2, ' ') << "when " << Judge(b, g->judge) << "\n";
  DescribeEntries(os, b, BkpdCommandMain(b, g), depth + 1);
  if (BkpdCommandElse(b, g) != nullptr) {
    os << std::string(static_cast<size_t>(depth) * 2, ' ') << "else\n";
    DescribeEntries(os, b, BkpdCommandElse(b, g), depth + 1);
  }
}

}  // namespace

std::string DescribeConstraints(PCBKPD b) {
  std::ostringstream os;
  for (const ExclusiveRecord* x = BkpdFirstExclusive(b); x != nullptr; x = BkpdNext(b, x)) {
    DescribeExclusive(os, b, x);
  }
  return os.str();
}

std::string DescribeCommandTrees(PCBKPD b) {
  std::ostringstream os;
  const char* names[] = {"JobStart", "JobEnd", "DocReset", "PageStart", "PageEnd"};
  for (DWORD i = 0; i < kBkpdCommandGroupCount; ++i) {
    if (const BKPDCOMMANDGROUP* g = BkpdCommandGroup(b, static_cast<BkpdCommandGroupIndex>(i))) {
      os << names[i] << "\n";
      DescribeCommands(os, b, g, 1);
    }
  }
  return os.str();
}

std::string Describe(PCBKPD b) {
  std::ostringstream os;
  os << "version " << Narrow(BkpdVersion(b)) << " res " << Narrow(BkpdUiResDllName(b)) << " dep "
     << Narrow(BkpdExcDepDllName(b)) << "\n";
  for (const UiGroup* g = BkpdFirstGroup(b); g != nullptr; g = BkpdNext(b, g)) {
    DescribeGroup(os, b, g);
  }
  for (WORD id : {WORD{8}, WORD{9}, WORD{11}, WORD{13}, WORD{15}, WORD{700}, WORD{1200}, WORD{10001}, WORD{10050}}) {
    const UiGroup* g = BkpdSlotGroup(b, id);
    os << "slot " << id << " " << (g == nullptr ? "-" : std::to_string(g->groupId) + "/" + std::to_string(g->subGroupId))
       << "\n";
  }
  os << DescribeConstraints(b) << DescribeCommandTrees(b);
  for (bool option : {false, true}) {
    os << (option ? "option fonts " : "device fonts ") << BkpdFontCount(b, option) << ":";
    for (DWORD i = 0; i < BkpdFontCount(b, option); ++i) {
      const BKPDFONT* f = BkpdFont(b, option, i);
      os << " " << (f == nullptr ? "-" : std::to_string(f->number) + Ansi(b, f->name));
    }
    os << "\n";
  }
  return os.str();
}

}  // namespace sample
