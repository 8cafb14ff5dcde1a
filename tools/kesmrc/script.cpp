// Parsing resource scripts into resources.
#include "tools/kesmrc/script.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <fstream>
#include <iterator>
#include <map>
#include <utility>

#include "tools/kesmrc/dialog_statement.h"
#include "tools/kesmrc/image_statements.h"
#include "tools/kesmrc/lexer.h"
#include "tools/kesmrc/menu_statement.h"

namespace kesmrc {
namespace {

constexpr std::uint32_t kMaxStringId = 0xFFFF;
constexpr std::uint32_t kFirstUserType = 256;
constexpr std::uint32_t kMaxTypeOrId = 0xFFFF;

std::string Upper(std::string_view word) {
  std::string upper(word);
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return upper;
}

class Parser {
 public:
  Parser(std::string_view text, const std::filesystem::path& folder, Script& script)
      : lexer_(text), folder_(folder), script_(script) {}

  bool Run(ScriptError& error) {
    Advance();
    while (ok_ && token_.kind != TokenKind::End) Statement();
    if (ok_) Finish();
    error = error_;
    return ok_;
  }

 private:
  using Handler = void (Parser::*)();
  struct Keyword {
    std::string_view name;
    Handler handler;
  };
  static const std::array<Keyword, 1> kKeywords;

  void Advance() {
    token_ = lexer_.Next();
    if (token_.kind == TokenKind::Error) Fail(token_.line, token_.word);
  }

  void Fail(int line, std::string message) {
    if (!ok_) return;
    ok_ = false;
    error_ = {line, std::move(message)};
  }

  bool Expect(TokenKind kind, const char* what) {
    if (ok_ && token_.kind != kind) Fail(token_.line, std::string("expected ") + what);
    return ok_;
  }

  void Statement() {
    if (token_.kind == TokenKind::Number) return DataStatement();
    if (token_.kind == TokenKind::Word) {
      std::string name = Upper(token_.word);
      auto it = std::lower_bound(kKeywords.begin(), kKeywords.end(), name,
                                 [](const Keyword& k, const std::string& n) { return k.name < n; });
      if (it != kKeywords.end() && it->name == name) return (this->*(it->handler))();
      return Fail(token_.line, "unknown statement '" + token_.word + "'");
    }
    Expect(TokenKind::Word, "a statement");
  }

  void StringTable() {
    Advance();
    if (!Expect(TokenKind::Open, "BEGIN")) return;
    Advance();
    while (ok_ && token_.kind == TokenKind::Number) {
      int line = token_.line;
      std::uint32_t id = token_.number;
      Advance();
      if (!Expect(TokenKind::String, "a string")) return;
      if (id > kMaxStringId) return Fail(line, "string id " + std::to_string(id) + " above 65535");
      auto [it, added] = stringLines_.emplace(id, line);
      if (!added) {
        return Fail(line, "string " + std::to_string(id) + " defined twice (first on line " +
                              std::to_string(it->second) + ")");
      }
      script_.strings.push_back({id, std::move(token_.text)});
      Advance();
    }
    if (Expect(TokenKind::Close, "END")) Advance();
  }

  void DataStatement() {
    int line = token_.line;
    std::uint32_t id = token_.number;
    Advance();
    const PictureKind* picture = nullptr;
    if (ok_ && token_.kind == TokenKind::Word) {
      picture = FindPictureKind(Upper(token_.word));
      if (picture == nullptr) return TypedStatement(line, id);
    } else if (!Expect(TokenKind::Number, "a resource type")) {
      return;
    }
    std::uint32_t type = picture != nullptr ? picture->type : token_.number;
    Advance();
    if (!Expect(TokenKind::String, "a file name")) return;
    if (picture == nullptr && (type < kFirstUserType || type > kMaxTypeOrId)) {
      return Fail(line, "resource type " + std::to_string(type) +
                            " is not a user-defined type (256 to 65535)");
    }
    if (id == 0 || id > kMaxTypeOrId) {
      return Fail(line, "resource id " + std::to_string(id) + " outside 1 to 65535");
    }
    auto [it, added] = resourceLines_.emplace(std::pair{type, id}, line);
    if (!added) {
      return Fail(line, "resource " + std::to_string(id) + " of type " + std::to_string(type) +
                            " defined twice (first on line " + std::to_string(it->second) + ")");
    }
    std::filesystem::path file = folder_ / std::filesystem::path(token_.text);
    const std::optional<std::string> bytes = ReadWholeFile(file);
    if (!bytes) return Fail(line, "cannot read '" + file.string() + "'");
    std::vector<std::byte> data(bytes->size());
    std::transform(bytes->begin(), bytes->end(), data.begin(),
                   [](char c) { return static_cast<std::byte>(c); });
    std::string message;
    if (picture != nullptr && !picture->convert(data, message)) {
      return Fail(line, "'" + file.string() + "': " + message);
    }
    script_.resources.push_back({type, id, std::move(data)});
    script_.inputs.push_back(file);
    Advance();
  }

  // A resource whose type is a word (DIALOG, DIALOGEX, MENU): its
  // statement parses it.
  void TypedStatement(int line, std::uint32_t id) {
    const std::string type = Upper(token_.word);
    DataResource resource;
    if (type == "MENU") return MenuStatement(line, id);
    if (type != "DIALOG" && type != "DIALOGEX") {
      return Fail(token_.line, "unknown resource type '" + token_.word + "'");
    }
    if (id == 0 || id > kMaxTypeOrId) return Fail(line, "resource id " + std::to_string(id) + " outside 1 to 65535");
    if (!ParseDialog(id, lexer_, token_, resource, error_)) {
      ok_ = false;
      return;
    }
    AddResource(line, std::move(resource));
  }

  void MenuStatement(int line, std::uint32_t id) {
    constexpr std::uint32_t kMenuType = 4;  // RT_MENU
    Advance();
    if (id == 0 || id > kMaxTypeOrId) return Fail(line, "resource id " + std::to_string(id) + " outside 1 to 65535");
    TokenReader reader{[this]() -> const Token& { return token_; }, [this] { Advance(); },
                       [this](int at, std::string message) { Fail(at, std::move(message)); }, [this] { return ok_; }};
    DataResource resource{kMenuType, id, {}};
    if (ParseMenu(reader, resource.data)) AddResource(line, std::move(resource));
  }

  void AddResource(int line, DataResource resource) {
    auto [it, added] = resourceLines_.emplace(std::pair{resource.type, resource.id}, line);
    if (!added) {
      return Fail(line, "resource " + std::to_string(resource.id) + " of type " + std::to_string(resource.type) +
                            " defined twice (first on line " + std::to_string(it->second) + ")");
    }
    script_.resources.push_back(std::move(resource));
  }

  // Sorted by id, and by type and id: the order the table keeps.
  void Finish() {
    std::sort(script_.strings.begin(), script_.strings.end(),
              [](const StringResource& a, const StringResource& b) { return a.id < b.id; });
    std::sort(script_.resources.begin(), script_.resources.end(),
              [](const DataResource& a, const DataResource& b) {
                return std::pair{a.type, a.id} < std::pair{b.type, b.id};
              });
  }

  Lexer lexer_;
  const std::filesystem::path& folder_;
  Script& script_;
  Token token_;
  bool ok_ = true;
  ScriptError error_;
  std::map<std::uint32_t, int> stringLines_;
  std::map<std::pair<std::uint32_t, std::uint32_t>, int> resourceLines_;
};

// Statements that begin with a keyword, sorted by name.
const std::array<Parser::Keyword, 1> Parser::kKeywords{{
    {"STRINGTABLE", &Parser::StringTable},
}};

}  // namespace

std::optional<std::string> ReadWholeFile(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return std::nullopt;
  try {
    // A read error (a folder opens, then fails to read) throws from the
    // stream buffer even without exceptions enabled on the stream.
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) return std::nullopt;
    return bytes;
  } catch (const std::ios_base::failure&) {
    return std::nullopt;
  }
}

bool ParseScript(std::string_view text, const std::filesystem::path& folder, Script& script,
                 ScriptError& error) {
  return Parser(text, folder, script).Run(error);
}

}  // namespace kesmrc
