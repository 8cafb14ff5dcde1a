// Creation and release of the work description.
#include "settings/bkpd/bkpd_work.h"

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

// Whether a group before `until` in the list holds the same block in the
// given field; sub-groups borrow the blocks of their main group.
template <class T>
bool HeldEarlier(const WorkUiGroup* list, const WorkUiGroup* until, T* WorkUiGroup::*field,
                 const T* block) {
  for (const WorkUiGroup* g = list; g != until; g = g->next) {
    if (g->*field == block) {
      return true;
    }
  }
  return false;
}

template <class T, class Release>
void FreeOnce(const WorkUiGroup* list, const WorkUiGroup* g, T* WorkUiGroup::*field, Release release) {
  T* block = g->*field;
  if (block != nullptr && !HeldEarlier(list, g, field, block)) {
    release(block);
  }
}

void FreeGroups(WorkUiGroup* list) {
  // Nothing is allocated while freeing, so an address released for one
  // group cannot come back as the block of a later one.
  for (const WorkUiGroup* g = list; g != nullptr; g = g->next) {
    FreeOnce(list, g, &WorkUiGroup::commands, FreeCommandPair);
    FreeOnce(list, g, &WorkUiGroup::options, FreeOptions);
    FreeOnce(list, g, &WorkUiGroup::boolean, [](WorkBoolean* b) {
      FreeMemPtr(b->trueCommand);
      FreeMemPtr(b->falseCommand);
      FreeMemPtr(b);
    });
    FreeOnce(list, g, &WorkUiGroup::numeric, [](WorkNumeric* n) { FreeMemPtr(n); });
    FreeOnce(list, g, &WorkUiGroup::string, [](WorkString* s) { FreeMemPtr(s); });
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
  FreeMemPtr(work);
}
