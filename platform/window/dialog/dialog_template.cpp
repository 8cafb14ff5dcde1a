// Dialog templates, classic and extended, read field by field. Every read
// is checked against the template's size, so that a resource cut short or
// forged fails to load instead of reading past its end.
#include "platform/window/dialog/dialog_template.h"

#include <cstring>

namespace plat::window {
namespace {

class Reader {
 public:
  Reader(const BYTE* bytes, std::size_t size) : bytes_(bytes), size_(size) {}
  bool ok() const { return ok_; }
  std::size_t pos() const { return pos_; }

  void Take(void* out, std::size_t n) {
    if (!ok_ || n > size_ - pos_) {
      ok_ = false;
      std::memset(out, 0, n);
      return;
    }
    std::memcpy(out, bytes_ + pos_, n);
    pos_ += n;
  }
  template <class T>
  T Get() {
    T value{};
    Take(&value, sizeof(T));
    return value;
  }
  // A terminated UTF-16 string.
  std::u16string String() {
    std::u16string text;
    for (char16_t c = Get<char16_t>(); ok_ && c != 0; c = Get<char16_t>()) text.push_back(c);
    return text;
  }
  NameOrOrdinal Name() {
    NameOrOrdinal name;
    const WORD first = Get<WORD>();
    if (first == 0xFFFF) {
      name.isOrdinal = true;
      name.ordinal = Get<WORD>();
    } else if (first != 0) {
      name.text.push_back(static_cast<char16_t>(first));
      name.text += String();
    }
    return name;
  }
  void Align4() {
    const std::size_t aligned = (pos_ + 3) & ~std::size_t{3};
    if (aligned > size_) {
      // The last item may end the template without padding.
      pos_ = size_;
      return;
    }
    pos_ = aligned;
  }
  std::vector<BYTE> CreationData() {
    const WORD count = Get<WORD>();
    std::vector<BYTE> data;
    if (!ok_ || count == 0) return data;
    // Controls are given the data led by its size, as in the template.
    data.resize(sizeof(WORD) + count);
    std::memcpy(data.data(), &count, sizeof(WORD));
    Take(data.data() + sizeof(WORD), count);
    return data;
  }

 private:
  const BYTE* bytes_;
  std::size_t size_;
  std::size_t pos_ = 0;
  bool ok_ = true;
};

void ReadHeader(Reader& r, DialogTemplate* t, WORD* count) {
  const WORD version = r.Get<WORD>();
  const WORD signature = r.Get<WORD>();
  t->extended = version == kDialogExVersion && signature == kDialogExSignature;
  if (t->extended) {
    t->helpId = r.Get<DWORD>();
    t->exStyle = r.Get<DWORD>();
    t->style = r.Get<DWORD>();
  } else {
    t->style = static_cast<DWORD>(version) | (static_cast<DWORD>(signature) << 16);
    t->exStyle = r.Get<DWORD>();
  }
  *count = r.Get<WORD>();
  t->x = r.Get<short>();
  t->y = r.Get<short>();
  t->cx = r.Get<short>();
  t->cy = r.Get<short>();
  t->menu = r.Name();
  t->className = r.Name();
  t->title = r.String();
  if ((t->style & DS_SETFONT) == 0) return;
  t->pointSize = r.Get<WORD>();
  if (t->extended) {
    t->weight = r.Get<WORD>();
    t->italic = r.Get<BYTE>();
    t->charset = r.Get<BYTE>();
  }
  t->face = r.String();
}

DialogItem ReadItem(Reader& r, bool extended) {
  DialogItem item;
  r.Align4();
  if (extended) {
    item.helpId = r.Get<DWORD>();
    item.exStyle = r.Get<DWORD>();
    item.style = r.Get<DWORD>();
  } else {
    item.style = r.Get<DWORD>();
    item.exStyle = r.Get<DWORD>();
  }
  item.x = r.Get<short>();
  item.y = r.Get<short>();
  item.cx = r.Get<short>();
  item.cy = r.Get<short>();
  item.id = extended ? r.Get<DWORD>() : r.Get<WORD>();
  item.className = r.Name();
  item.title = r.Name();
  item.creationData = r.CreationData();
  return item;
}

struct PredefinedRow {
  WORD ordinal;
  const char16_t* name;
};
constexpr PredefinedRow kPredefined[] = {
    {0x0080, u"Button"}, {0x0081, u"Edit"},      {0x0082, u"Static"},
    {0x0083, u"ListBox"}, {0x0084, u"ScrollBar"}, {0x0085, u"ComboBox"},
};

}  // namespace

bool ReadDialogTemplate(const BYTE* bytes, std::size_t size, DialogTemplate* out) {
  if (bytes == nullptr || out == nullptr) return false;
  Reader r(bytes, size);
  DialogTemplate t;
  WORD count = 0;
  ReadHeader(r, &t, &count);
  for (WORD i = 0; i < count && r.ok(); ++i) {
    DialogItem item = ReadItem(r, t.extended);
    const bool known = !item.className.isOrdinal || PredefinedControlClass(item.className.ordinal) != nullptr;
    if (!known || item.className.empty()) return false;
    t.items.push_back(std::move(item));
  }
  if (!r.ok()) return false;
  *out = std::move(t);
  return true;
}

const char16_t* PredefinedControlClass(WORD ordinal) {
  for (const PredefinedRow& row : kPredefined) {
    if (row.ordinal == ordinal) return row.name;
  }
  return nullptr;
}

}  // namespace plat::window
