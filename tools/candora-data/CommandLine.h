#pragma once
// The arguments of one subcommand: options with a value (--out DIR), switches (--raw) and plain
// arguments, plus the names of pairs, time steps and lists of them as the subcommands accept them.

#include <map>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "untMarketRecords.h"
#include "untPairInfo.h"

namespace candora::data {

// A command line the tool cannot act on; the tool prints it with the subcommand's usage and
// ends with status 2.
class EUsageError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

class TArguments {
public:
  // Throws EUsageError for an unknown option, an option without its value or a repeated one.
  TArguments(const std::vector<std::string>& args, const std::set<std::string>& valueOptions,
             const std::set<std::string>& switches);

  bool has(const std::string& name) const { return values_.contains(name) || switches_.contains(name); }
  std::optional<std::string> value(const std::string& name) const;
  std::string required(const std::string& name) const;  // throws EUsageError when absent
  const std::vector<std::string>& positional() const { return positional_; }

private:
  std::map<std::string, std::string> values_;
  std::set<std::string> switches_;
  std::vector<std::string> positional_;
};

// "USDJPY" (any case); "USDJPY,EURJPY"; "all".
TPair parsePairName(const std::string& text);
std::vector<TPair> parsePairList(const std::string& text);
// A step by ordinal ("5"), span text ("1時間", "1日間"), candle text ("1時間足") or plain length
// ("1日", "30分"); lists and "all" likewise.
TTimeStep parseStepName(const std::string& text);
std::vector<TTimeStep> parseStepList(const std::string& text);

}  // namespace candora::data
