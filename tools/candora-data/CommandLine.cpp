#include "CommandLine.h"

#include <algorithm>
#include <cctype>

#include "TextFields.h"

namespace candora::data {

TArguments::TArguments(const std::vector<std::string>& args, const std::set<std::string>& valueOptions,
                       const std::set<std::string>& switches) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg.size() < 2 || arg.rfind("--", 0) != 0) {
      positional_.push_back(arg);
      continue;
    }
    std::string name = arg.substr(2), inlineValue;
    const std::size_t equals = name.find('=');
    const bool hasInline = equals != std::string::npos;
    if (hasInline) {
      inlineValue = name.substr(equals + 1);
      name = name.substr(0, equals);
    }
    if (switches.contains(name) && !hasInline) {
      switches_.insert(name);
      continue;
    }
    if (!valueOptions.contains(name)) throw EUsageError("unknown option --" + name);
    if (values_.contains(name)) throw EUsageError("--" + name + " is given twice");
    if (!hasInline) {
      if (i + 1 >= args.size()) throw EUsageError("--" + name + " needs a value");
      inlineValue = args[++i];
    }
    values_[name] = inlineValue;
  }
}

std::optional<std::string> TArguments::value(const std::string& name) const {
  const auto it = values_.find(name);
  if (it == values_.end()) return std::nullopt;
  return it->second;
}

std::string TArguments::required(const std::string& name) const {
  const auto v = value(name);
  if (!v || v->empty()) throw EUsageError("--" + name + " is required");
  return *v;
}

TPair parsePairName(const std::string& text) {
  std::string upper = text;
  std::transform(upper.begin(), upper.end(), upper.begin(), [](unsigned char c) { return std::toupper(c); });
  for (uint8_t p = 0; p < TPair::kCount; ++p)
    if (TPair(p).getToString() == upper) return TPair(p);
  throw EUsageError("'" + text + "' is not one of the 16 pairs (EURUSD, USDJPY, …)");
}

std::vector<TPair> parsePairList(const std::string& text) {
  std::vector<TPair> pairs;
  if (text == "all") {
    for (uint8_t p = 0; p < TPair::kCount; ++p) pairs.push_back(TPair(p));
    return pairs;
  }
  for (const std::string& name : splitFields(text, ',')) {
    const TPair pair = parsePairName(name);
    if (std::find(pairs.begin(), pairs.end(), pair) == pairs.end()) pairs.push_back(pair);
  }
  return pairs;
}

TTimeStep parseStepName(const std::string& text) {
  for (uint8_t s = 0; s < TTimeStep::kCount; ++s) {
    const TTimeStep step(s);
    const std::string plain = step.getTimeValueString() + step.getTimeUnit().getToString2();  // "1日", "30分"
    if (text == step.getOrdinalString() || text == step.getToString() || text == step.getToCandleString() ||
        text == plain)
      return step;
  }
  throw EUsageError("'" + text + "' is not a time step (0 to 13, or a name such as 1時間, 1時間足 or 1日)");
}

std::vector<TTimeStep> parseStepList(const std::string& text) {
  std::vector<TTimeStep> steps;
  if (text == "all") {
    for (uint8_t s = 0; s < TTimeStep::kCount; ++s) steps.push_back(TTimeStep(s));
    return steps;
  }
  for (const std::string& name : splitFields(text, ',')) {
    const TTimeStep step = parseStepName(name);
    if (std::find(steps.begin(), steps.end(), step) == steps.end()) steps.push_back(step);
  }
  std::sort(steps.begin(), steps.end(), [](TTimeStep a, TTimeStep b) { return a.getOrdinal() < b.getOrdinal(); });
  return steps;
}

}  // namespace candora::data
