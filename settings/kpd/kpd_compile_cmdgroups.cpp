// The five job command trees: "*CommandGroup: <job type> { <items> }".
// Items are
//   Type : StringType <command-string id>
//   Type : GroupType <group keyword> [<number>]
//   Type : FontType
//   Command : <judge reference> { <items> } [ElseIf : <judge reference> { ... }] [Else { ... }]
// An ElseIf is the one conditional item of the else list above it, so a
// chain of them nests. A conditional item guarded by "NULL" is a plain
// block without branches; any other reference must name a judge, so that
// no guarded block becomes unconditional. As the judge may be defined
// after the tree, a tree is put in its slot once the whole text is read
// (KpdHeldEntry). Blocks nest at most as deep as a compiled description
// can hold, and a block whose brace never closes refuses the whole entry.
// A later tree of a job type replaces the earlier one.
#include <iterator>
#include <memory>
#include <utility>
#include <vector>

#include "settings/kpd/kpd_compile_internal.h"
#include "settings/kpd/kpd_compile_lookup.h"
#include "settings/system/memptr.h"

namespace {

// Job types and the header slot each fills.
struct JobType {
  std::string_view word;
  BkpdCommandGroupIndex slot;
};
constexpr JobType jobtypeStrs[] = {
    {"JobStart", kBkpdJobStart}, {"JobEnd", kBkpdJobEnd},   {"PageStart", kBkpdPageStart},
    {"PageEnd", kBkpdPageEnd},   {"DocReset", kBkpdDocReset},
};

const JobType* FindJobType(std::string_view word) {
  for (const JobType& row : jobtypeStrs) {
    if (row.word == word) {
      return &row;
    }
  }
  return nullptr;
}

constexpr WORD kItemCommand = 1;
constexpr WORD kItemType = 2;
constexpr KpdWord kCommandTypeRows[] = {{"Command", kItemCommand}, {"Type", kItemType}};
const KpdWordTable cmdtypeStrs = {kCommandTypeRows, std::size(kCommandTypeRows), 0};

constexpr KpdWord kDataTypeRows[] = {
    {"GroupType", kCmdGroupType}, {"StringType", kCmdStringType}, {"FontType", kCmdFontType},
};
const KpdWordTable datatypeStrs = {kDataTypeRows, std::size(kDataTypeRows), 0};

// Owns a tree under construction; freed unless released.
struct TreeOwner {
  WorkCommandGroup* group = nullptr;
  ~TreeOwner() { WorkCommandGroup_Free(group); }
  WorkCommandGroup* Release() {
    WorkCommandGroup* g = group;
    group = nullptr;
    return g;
  }
};

WorkCommandNode* NewNode(WORD kind) {
  auto* n = static_cast<WorkCommandNode*>(GetMemPtr(sizeof(WorkCommandNode)));
  if (n != nullptr) {
    n->kind = kind;
  }
  return n;
}

void SkipSameLineBlanks(KpdCursor& c) {
  while (!c.AtEnd() && (c.Peek() == ' ' || c.Peek() == '\t')) {
    ++c.pos;
  }
}

class TreeCompiler {
 public:
  // The judges the tree names are added to judges.
  TreeCompiler(KpdCompiler& c, KpdCursor cursor, std::vector<WORD>& judges)
      : c_(c), cur_(cursor), judges_(judges) {}

  // The block after the job type's '{', without branches.
  KpdFault Top(WorkCommandGroup** tree) { return Block(false, 0, tree); }

 private:
  // The kind of the next item: its word, then the cursor past its colon. A
  // word written against its colon ("Type:") takes that colon.
  WORD ItemKind() {
    char delimiter = '\0';
    const std::optional<std::string_view> word = KpdGetKeywordValue(cur_, &delimiter);
    if (!word || word->empty()) {
      return 0;
    }
    const WORD kind = SearchStringTable(cmdtypeStrs, *word);
    if (delimiter != ':' && !KpdGetCharSkip(cur_, ':')) {
      return 0;
    }
    return kind;
  }

  // "Type : <data type> ...": a node, or null when the item stores nothing.
  KpdFault TypeItem(WorkCommandNode** node) {
    *node = nullptr;
    const std::optional<std::string_view> type = KpdGetListWord(cur_);
    const WORD kind = type ? SearchStringTable(datatypeStrs, *type) : 0;
    if (kind == kCmdFontType) {
      *node = NewNode(kCmdFontType);
      return *node == nullptr ? KpdFault::kNoMemory : KpdFault::kNone;
    }
    if (kind == kCmdStringType) {
      const std::optional<std::string_view> word = KpdGetListWord(cur_);
      const std::optional<LONGLONG> id = word ? KpdGetId(*word) : std::optional<LONGLONG>(0);
      if (!id || *id < 0 || *id > 0xFFFFFFFFLL) {
        return KpdFault::kNumberRange;
      }
      if (*id == 0) {
        KpdNote(c_, KpdFault::kBadValue);  // no command string can have id 0
        return KpdFault::kNone;
      }
      *node = NewNode(kCmdStringType);
      if (*node == nullptr) {
        return KpdFault::kNoMemory;
      }
      (*node)->stringId = static_cast<DWORD>(*id);
      return KpdFault::kNone;
    }
    if (kind == kCmdGroupType) {
      const std::optional<std::string_view> keyword = KpdGetListWord(cur_);
      const GK* gk = keyword ? KpdGKbyKeyWord(*keyword) : nullptr;
      SHORT number = 0;
      SkipSameLineBlanks(cur_);
      if (cur_.Peek() == '-' || (cur_.Peek() >= '0' && cur_.Peek() <= '9')) {
        const KpdNumber n = KpdGetNumericValue(cur_);
        if (!KpdFitsShort(n)) {
          return KpdFault::kNumberRange;
        }
        number = static_cast<SHORT>(n.value);
      }
      if (gk == nullptr) {
        // The item is dropped with its number; the items after it on the
        // same line, and the brace that may close the block there, stay.
        KpdNote(c_, KpdFault::kUnknownGroup);
        return KpdFault::kNone;
      }
      *node = NewNode(kCmdGroupType);
      if (*node == nullptr) {
        return KpdFault::kNoMemory;
      }
      (*node)->groupId = gk->groupId;
      (*node)->number = number;
      return KpdFault::kNone;
    }
    return KpdFault::kBadValue;  // not a data type
  }

  // "Command : <judge reference> { ... } [ElseIf ...] [Else ...]" in a
  // block of `depth`: a nested node, a node that stands for a missing
  // block, or null when the block holds nothing.
  KpdFault Conditional(DWORD depth, WorkCommandNode** node) {
    *node = nullptr;
    const std::optional<std::string_view> word = KpdGetListWord(cur_);
    if (!word || word->empty()) {
      return KpdFault::kBadValue;
    }
    WORD judge = 0;
    if (const KpdFault f = KpdJudgeReference(c_.work, *word, &judge); f != KpdFault::kNone) {
      return f;
    }
    if (judge != 0) {
      judges_.push_back(judge);
    }
    KpdSkipBlanks(cur_);
    if (cur_.Peek() != '{') {
      *node = NewNode(kWorkCmdNone);
      return *node == nullptr ? KpdFault::kNoMemory : KpdFault::kNone;
    }
    ++cur_.pos;
    if (depth + 1 >= kBkpdMaxCommandDepth) {
      return KpdFault::kTooDeep;
    }
    WorkCommandGroup* group = nullptr;
    if (const KpdFault f = Block(judge != 0, depth + 1, &group); f != KpdFault::kNone || group == nullptr) {
      return f;
    }
    group->condition = judge;
    *node = NewNode(kCmdNested);
    if (*node == nullptr) {
      WorkCommandGroup_Free(group);
      return KpdFault::kNoMemory;
    }
    (*node)->nested = group;
    return KpdFault::kNone;
  }

  // Items up to the '}' that closes the list, appended to it.
  KpdFault Items(DWORD depth, WorkCommandNode*& list) {
    WorkCommandNode** link = &list;
    for (;;) {
      KpdSkipBlanks(cur_);
      if (cur_.AtEnd()) {
        return KpdFault::kUnclosedBraces;
      }
      if (cur_.Peek() == '}') {
        ++cur_.pos;
        return KpdFault::kNone;
      }
      const WORD kind = ItemKind();
      if (kind == 0) {
        return KpdFault::kBadValue;  // not an item: the rest of the block cannot be read
      }
      WorkCommandNode* node = nullptr;
      const KpdFault f = kind == kItemCommand ? Conditional(depth, &node) : TypeItem(&node);
      if (node != nullptr) {
        *link = node;
        link = &node->next;
      }
      if (f != KpdFault::kNone) {
        return f;
      }
    }
  }

  // A block after its '{' at `depth`, with its ElseIf or Else when
  // branches are allowed; null when both lists stay empty.
  KpdFault Block(bool branches, DWORD depth, WorkCommandGroup** out) {
    *out = nullptr;
    TreeOwner tree;
    tree.group = static_cast<WorkCommandGroup*>(GetMemPtr(sizeof(WorkCommandGroup)));
    if (tree.group == nullptr) {
      return KpdFault::kNoMemory;
    }
    if (const KpdFault f = Items(depth, tree.group->main); f != KpdFault::kNone) {
      return f;
    }
    if (branches) {
      KpdSkipBlanks(cur_);
      const std::string_view rest = cur_.Rest();
      if (rest.starts_with("ElseIf")) {
        cur_.pos += 6;
        if (!KpdGetCharSkip(cur_, ':')) {
          return KpdFault::kBadValue;
        }
        if (const KpdFault f = Conditional(depth, &tree.group->elseList); f != KpdFault::kNone) {
          return f;
        }
      } else if (rest.starts_with("Else")) {
        cur_.pos += 4;
        if (!KpdGetCharSkip(cur_, '{')) {
          return KpdFault::kUnclosedBraces;
        }
        if (const KpdFault f = Items(depth, tree.group->elseList); f != KpdFault::kNone) {
          return f;
        }
      }
    }
    if (tree.group->main != nullptr || tree.group->elseList != nullptr) {
      *out = tree.Release();
    }
    return KpdFault::kNone;
  }

  KpdCompiler& c_;
  KpdCursor cur_;
  std::vector<WORD>& judges_;
};

// A tree read whole (null for a block of nothing); when added it replaces
// the tree of its job type.
class HeldTree final : public KpdHeldEntry {
 public:
  explicit HeldTree(BkpdCommandGroupIndex slot) : slot_(slot) {}
  ~HeldTree() override { WorkCommandGroup_Free(tree); }

  void AddTo(WorkBKPD* work) override {
    WorkCommandGroup*& slot = work->header->commandGroups[slot_];
    WorkCommandGroup_Free(slot);
    slot = tree;
    tree = nullptr;
  }

  WorkCommandGroup* tree = nullptr;

 private:
  BkpdCommandGroupIndex slot_;
};

}  // namespace

KpdFault CommandGroupProc(KpdCompiler& c) {
  KpdCursor cur = KpdValueCursor(c.parser);
  const std::optional<std::string_view> word = KpdGetListWord(cur);
  const JobType* jobType = word ? FindJobType(*word) : nullptr;
  if (jobType == nullptr) {
    return KpdFault::kUnknownValue;
  }
  if (!KpdGetCharSkip(cur, '{')) {
    return KpdFault::kBadValue;
  }
  auto held = std::make_unique<HeldTree>(jobType->slot);
  if (const KpdFault f = TreeCompiler(c, cur, held->judges).Top(&held->tree); f != KpdFault::kNone) {
    return f;
  }
  return KpdTakeHeld(c, std::move(held));
}
