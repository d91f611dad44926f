#include "options.h"

#include <algorithm>
#include <cstdio>

#include "command.h"
#include "session/Session.h"

namespace {

std::string Say(const char* text, const std::string& arg) {
  std::string s = text;
  if (const size_t at = s.find("%s"); at != std::string::npos) s.replace(at, 2, arg);
  return s;
}

class TParser {
 public:
  TParser(const TArgTable& table, const std::vector<std::string>& args)
      : Table(table), Args(args) {}

  TArgs Run() {
    for (; At < Args.size() && Result.Status == 0; ++At) Take(Args[At]);
    if (Result.Status == 0 && Table.NoInput && Result.Inputs.empty()) Fail(Table.NoInput);
    return std::move(Result);
  }

 private:
  bool IsOption(const std::string& a) const {
    return a.size() > 1 ? a[0] == '-' : a == "-" && Table.DashIsOption;
  }

  void Fail(const std::string& why) {
    if (!why.empty()) Note(why);
    Result.Status = kExitUsage;
  }
  void Note(const std::string& what) {
    Result.Messages += "vqrtool " + std::string(Table.Command) + ": " + what + "\n";
  }

  const TArgOption* Find(const std::string& a, std::string& joined) const {
    for (const TArgOption& o : Table.Options) {
      if (a == o.Name) return &o;
      const std::string prefix = std::string(o.Name) + "=";
      if (o.Kind == TArgKind::Joined && a.size() > prefix.size() && a.starts_with(prefix)) {
        joined = a.substr(prefix.size());
        return &o;
      }
    }
    return nullptr;
  }

  void Take(const std::string& a) {
    std::string joined;
    const TArgOption* o = Find(a, joined);
    if (!o) {
      if (IsOption(a)) return Fail(Say(Table.Unknown, a));
      if (Result.Inputs.size() >= Table.MaxInputs) return Fail(Say(Table.Extra, a));
      // A lone input that is empty leaves the place for the next one.
      if (Table.MaxInputs > 1 || !a.empty()) Result.Inputs.push_back(a);
      return;
    }
    auto& values = Result.Values[o->Key ? o->Key : o->Name];
    switch (o->Kind) {
      case TArgKind::Flag:
        values.push_back({a, {}});
        return;
      case TArgKind::Files: {
        const size_t before = values.size();
        while (At + 1 < Args.size() && !IsOption(Args[At + 1])) values.push_back({Args[++At], {}});
        if (values.size() == before)
          return Fail(std::string(o->Name) + " needs at least one recording");
        if (values.size() > static_cast<size_t>(TVQRSession::kMaxCompared))
          return Fail(std::string(o->Name) + " takes at most " +
                      std::to_string(TVQRSession::kMaxCompared) + " recordings");
        return;
      }
      case TArgKind::Value:
      case TArgKind::Joined:
        break;
    }
    if (joined.empty()) {
      if (At + 1 >= Args.size()) return Fail(Say(Table.Missing, a));
      joined = Args[++At];
    }
    TArgValue value{joined, {}};
    std::string message;
    if (o->Check && !o->Check(joined, value, message))
      return Fail(message.empty() ? o->Error + joined : message);
    if (!message.empty()) Note(message);
    values.push_back(std::move(value));
  }

  const TArgTable& Table;
  const std::vector<std::string>& Args;
  size_t At = 0;
  TArgs Result;
};

}  // namespace

TArgs ParseArgs(const TArgTable& table, const std::vector<std::string>& args) {
  return TParser(table, args).Run();
}

bool ArgsTaken(const TArgs& args) {
  std::fputs(args.Messages.c_str(), stderr);
  return args.Status == 0;
}

size_t TArgs::Count(const std::string& key) const {
  const auto it = Values.find(key);
  return it == Values.end() ? 0 : it->second.size();
}

std::string TArgs::Text(const std::string& key, const std::string& fallback) const {
  return Given(key) ? Values.at(key).back().Text : fallback;
}

int TArgs::Int(const std::string& key, int fallback) const {
  const std::vector<double> n = Numbers(key);
  return n.empty() ? fallback : static_cast<int>(n[0]);
}

std::vector<double> TArgs::Numbers(const std::string& key) const {
  return Given(key) ? Values.at(key).back().Numbers : std::vector<double>{};
}

std::vector<std::string> TArgs::Texts(const std::string& key) const {
  std::vector<std::string> texts;
  if (Given(key))
    for (const TArgValue& v : Values.at(key)) texts.push_back(v.Text);
  return texts;
}

std::vector<int> TArgs::Ints(const std::string& key) const {
  std::vector<int> ints;
  for (double n : Numbers(key)) ints.push_back(static_cast<int>(n));
  return ints;
}

std::vector<int> TArgs::EachInt(const std::string& key) const {
  std::vector<int> ints;
  if (Given(key))
    for (const TArgValue& v : Values.at(key)) ints.push_back(static_cast<int>(v.Numbers.at(0)));
  return ints;
}

TToolSettingsOptions TArgs::Settings() const {
  TToolSettingsOptions options;
  options.IniFile = Text("--ini");
  options.PublicFile = Text("--public");
  options.Defaults = Given("--defaults");
  return options;
}
