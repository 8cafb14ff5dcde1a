// Creation and release of the work description.
#include "settings/bkpd/bkpd_work.h"

#include <algorithm>
#include <functional>
#include <new>
#include <vector>

#include "settings/bkpd/bkpd_work_index.h"
#include "settings/system/memptr.h"

namespace {

void FreeStringArray(LPSTR* strings, DWORD count) {
  if (strings == nullptr) {
    return;
  }
  for (DWORD i = 0; i < count; ++i) {
    FreeMemPtr(strings[i]);
  }
  FreeMemPtr(strings);
}

void FreeOptions(WorkOption* option) {
  while (option != nullptr) {
    WorkOption* next = option->next;
    FreeMemPtr(option->command);
    WorkChain_Free(option->areas);
    FreeMemPtr(option->papers);
    FreeStringArray(option->trueTypeNames, option->pairCount);
    FreeStringArray(option->deviceNames, option->pairCount);
    FreeMemPtr(option);
    option = next;
  }
}

void FreeCommandPair(WorkCommandPair* pair) {
  if (pair != nullptr) {
    FreeMemPtr(pair->first);
    FreeMemPtr(pair->second);
    FreeMemPtr(pair);
  }
}

void FreeBoolean(WorkBoolean* b) {
  FreeMemPtr(b->trueCommand);
  FreeMemPtr(b->falseCommand);
  FreeMemPtr(b);
}

template <class T>
void FreeBlock(T* block) {
  FreeMemPtr(block);
}

// Releases every distinct block that the groups hold in one field once:
// sub-groups and Identity groups borrow the blocks of other groups. The
// blocks are sorted so that copies lie side by side; `scratch` holds room
// for one block per group, so nothing is allocated here.
template <class T, class Release>
void FreeField(const WorkUiGroup* list, T* WorkUiGroup::*field, Release release, std::vector<T*>& scratch) {
  scratch.clear();
  for (const WorkUiGroup* g = list; g != nullptr; g = g->next) {
    if (g->*field != nullptr) scratch.push_back(g->*field);
  }
  std::sort(scratch.begin(), scratch.end(), std::less<T*>());
  scratch.erase(std::unique(scratch.begin(), scratch.end()), scratch.end());
  for (T* block : scratch) release(block);
}

// Whether a group before `until` in the list holds the same block in the
// given field.
template <class T>
bool HeldEarlier(const WorkUiGroup* list, const WorkUiGroup* until, T* WorkUiGroup::*field, const T* block) {
  for (const WorkUiGroup* g = list; g != until; g = g->next) {
    if (g->*field == block) {
      return true;
    }
  }
  return false;
}

// The same without scratch memory, for when there is none: a block is
// released with the first group that holds it. Nothing is allocated while
// freeing, so an address released for one group cannot come back as the
// block of a later one.
template <class T, class Release>
void FreeFieldInOrder(const WorkUiGroup* list, T* WorkUiGroup::*field, Release release) {
  for (const WorkUiGroup* g = list; g != nullptr; g = g->next) {
    T* block = g->*field;
    if (block != nullptr && !HeldEarlier(list, g, field, block)) {
      release(block);
    }
  }
}

// Room to sort the blocks of each field, one per group.
struct GroupBlocks {
  std::vector<WorkCommandPair*> commands;
  std::vector<WorkOption*> options;
  std::vector<WorkBoolean*> booleans;
  std::vector<WorkNumeric*> numerics;
  std::vector<WorkString*> strings;

  bool Reserve(std::size_t groups) {
    try {
      commands.reserve(groups);
      options.reserve(groups);
      booleans.reserve(groups);
      numerics.reserve(groups);
      strings.reserve(groups);
      return true;
    } catch (const std::bad_alloc&) {
      return false;
    }
  }
};

void FreeGroups(WorkUiGroup* list) {
  std::size_t count = 0;
  for (const WorkUiGroup* g = list; g != nullptr; g = g->next) ++count;
  GroupBlocks blocks;
  if (blocks.Reserve(count)) {
    FreeField(list, &WorkUiGroup::commands, FreeCommandPair, blocks.commands);
    FreeField(list, &WorkUiGroup::options, FreeOptions, blocks.options);
    FreeField(list, &WorkUiGroup::boolean, FreeBoolean, blocks.booleans);
    FreeField(list, &WorkUiGroup::numeric, FreeBlock<WorkNumeric>, blocks.numerics);
    FreeField(list, &WorkUiGroup::string, FreeBlock<WorkString>, blocks.strings);
  } else {
    FreeFieldInOrder(list, &WorkUiGroup::commands, FreeCommandPair);
    FreeFieldInOrder(list, &WorkUiGroup::options, FreeOptions);
    FreeFieldInOrder(list, &WorkUiGroup::boolean, FreeBoolean);
    FreeFieldInOrder(list, &WorkUiGroup::numeric, FreeBlock<WorkNumeric>);
    FreeFieldInOrder(list, &WorkUiGroup::string, FreeBlock<WorkString>);
  }
  WorkChain_Free(list);
}

void FreeCommandNodes(WorkCommandNode* node) {
  while (node != nullptr) {
    WorkCommandNode* next = node->next;
    WorkCommandGroup_Free(node->nested);
    FreeMemPtr(node);
    node = next;
  }
}

void FreeFonts(WorkFont** fonts, DWORD count) {
  if (fonts == nullptr) {
    return;
  }
  for (DWORD i = 0; i < count; ++i) {
    if (fonts[i] != nullptr) {
      FreeMemPtr(fonts[i]->name);
      FreeMemPtr(fonts[i]);
    }
  }
  FreeMemPtr(fonts);
}

void FreeHeader(WorkHeader* h) {
  if (h == nullptr) {
    return;
  }
  FreeGroups(h->groups);
  FreeMemPtr(h->uiResDllName);
  FreeMemPtr(h->excDepDllName);
  for (WorkCommandGroup* group : h->commandGroups) {
    WorkCommandGroup_Free(group);
  }
  FreeFonts(h->deviceFonts, h->deviceFontCount);
  FreeFonts(h->optionFonts, h->optionFontCount);
  FreeMemPtr(h);
}

}  // namespace

void WorkCommandGroup_Free(WorkCommandGroup* group) {
  if (group != nullptr) {
    FreeCommandNodes(group->main);
    FreeCommandNodes(group->elseList);
    FreeMemPtr(group);
  }
}

void WorkBKPD_FreeMacros(WorkBKPD* work) {
  for (WorkMacro*& list : work->macros) {
    while (list != nullptr) {
      WorkMacro* next = list->next;
      FreeMemPtr(list->name);
      FreeMemPtr(list);
      list = next;
    }
  }
}

WorkBKPD* WorkBKPD_Entry() {
  auto* work = static_cast<WorkBKPD*>(GetMemPtr(sizeof(WorkBKPD)));
  if (work == nullptr) {
    return nullptr;
  }
  work->header = static_cast<WorkHeader*>(GetMemPtr(sizeof(WorkHeader)));
  if (work->header == nullptr) {
    FreeMemPtr(work);
    return nullptr;
  }
  return work;
}

void WorkBKPD_Free(WorkBKPD* work) {
  if (work == nullptr) {
    return;
  }
  FreeHeader(work->header);
  FreeMemPtr(work->openGroupKeyword);
  for (WorkCommandString* s = work->commandStrings; s != nullptr;) {
    WorkCommandString* next = s->next;
    FreeMemPtr(s->text);
    FreeMemPtr(s);
    s = next;
  }
  for (WorkJudge* j = work->judges; j != nullptr;) {
    WorkJudge* next = j->next;
    FreeMemPtr(j->tokens);
    FreeMemPtr(j);
    j = next;
  }
  WorkDefinitions_Free(work->items);
  WorkDefinitions_Free(work->actions);
  WorkDefinitions_Free(work->transacts);
  WorkDefinitions_Free(work->alertActions);
  WorkDefinitions_Free(work->alerts);
  WorkChain_Free(work->exclusives);
  WorkBKPD_FreeMacros(work);
  WorkBKPD_FreeGroupIndex(work);
  FreeMemPtr(work);
}
