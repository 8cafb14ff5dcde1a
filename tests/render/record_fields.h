// The fields of every display-list record, read for the tests from the
// record format alone and sharing no code with the library that writes
// them. Reading also checks the record against its format: every byte the
// format does not name is zero, the length agrees with the content (colour
// count, palette and lines, advances and codes, face name, subpaths), the
// enumerated bytes hold known values, and the size estimate of a path is
// the one its segments give.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "tests/render/job_stream_decoder.h"

namespace jobstream {

struct Point {
  std::int32_t x = 0;
  std::int32_t y = 0;
  bool operator==(const Point&) const = default;
};

// A line segment has one point, a curve segment three.
struct Segment {
  bool curve = false;
  std::vector<Point> points;
};

struct Subpath {
  Point start;
  std::vector<Segment> segments;
};

struct Fields {
  struct Value {
    std::string name;
    std::int64_t value = 0;
    int hexDigits = 0;  // Describe shows it in hex with this many digits; 0: decimal
  };
  std::uint8_t opcode = 0;
  std::vector<Value> values;                                             // in record order
  std::vector<std::pair<std::string, std::vector<std::int64_t>>> lists;  // advances, codes, entries
  std::vector<std::pair<std::string, std::vector<std::uint8_t>>> blobs;  // palette, lines, data, face
  std::vector<Subpath> subpaths;                                         // of a path record or an outline character
  std::string error;                                                     // empty when the record agrees with its format

  bool ok() const { return error.empty(); }
  bool Has(std::string_view name) const;
  // The named value, list or blob; throws std::out_of_range when the
  // record has none of that name.
  std::int64_t Value(std::string_view name) const;
  const std::vector<std::int64_t>& List(std::string_view name) const;
  const std::vector<std::uint8_t>& Blob(std::string_view name) const;
};

// The fields of one record, with error set when it breaks its format.
Fields ReadFields(const Record& record);
Fields ReadFields(const std::vector<std::uint8_t>& bytes);

// One line: the opcode, then each value as name=value, lists in brackets,
// a blob of up to 16 bytes in hex (a longer one as its size), subpaths as
// M x,y L x,y C x,y x,y x,y with | between subpaths.
std::string Describe(const Fields& fields);

}  // namespace jobstream
