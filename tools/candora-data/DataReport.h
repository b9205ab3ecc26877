#pragma once
// Where the data builder tells the user what it found: problems with the data (counted, so the tool
// can end with status 1, and printed up to a limit per kind so a bad file cannot flood the
// terminal) and plain notes.

#include <cstddef>
#include <map>
#include <ostream>
#include <string>

namespace candora::data {

class TDataReport {
public:
  explicit TDataReport(std::ostream& out, std::size_t limitPerKind = 20)
      : out_(out), problems_(out), limit_(limitPerKind) {}
  // Notes and problems to different streams, for a report that lists the problems at its end.
  TDataReport(std::ostream& notes, std::ostream& problems, std::size_t limitPerKind)
      : out_(notes), problems_(problems), limit_(limitPerKind) {}

  // `kind` groups problems for the limit and the summary, e.g. "malformed line".
  void problem(const std::string& kind, const std::string& text);
  void note(const std::string& text);
  // One line per kind that went over the limit: "… and 12 more malformed lines".
  void summarizeHidden();

  std::size_t problemCount() const { return total_; }
  std::size_t problemCount(const std::string& kind) const;

private:
  std::ostream& out_;
  std::ostream& problems_;
  std::size_t limit_;
  std::size_t total_ = 0;
  std::map<std::string, std::size_t> byKind_;
};

}  // namespace candora::data
