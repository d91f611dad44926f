#include "options.h"

#include <cstdio>

#include "command.h"
#include "session/Session.h"

namespace {
std::string Fill(const char* text, const std::string& arg) {
  std::string s = text;
  if (const size_t at = s.find("%s"); at != std::string::npos) s.replace(at, 2, arg);
  return s;
}
}  // namespace

TArgs ParseArgs(const TArgTable& table, const std::vector<std::string>& args) {
  TArgs r;
  const auto say = [&](const std::string& what) {
    r.Messages += "vqrtool " + std::string(table.Command) + ": " + what + "\n";
  };
  const auto fail = [&](const std::string& why) {
    if (!why.empty()) say(why);
    r.Status = kExitUsage;
    return r;
  };
  const auto isOption = [&](const std::string& a) {
    return a.size() > 1 ? a[0] == '-' : a == "-" && table.DashIsOption;
  };
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    const TArgOption* o = nullptr;
    std::string value;  // of --name=VALUE, never empty
    for (const TArgOption& option : table.Options) {
      const std::string name = option.Name;
      if (a == name) o = &option;
      if (option.Kind == TArgKind::Joined && a.size() > name.size() + 1 &&
          a.starts_with(name + "="))
        o = &option, value = a.substr(name.size() + 1);
      if (o) break;
    }
    if (!o) {
      if (isOption(a)) return fail(Fill(table.Unknown, a));
      if (r.Inputs.size() >= table.MaxInputs) return fail(Fill(table.Extra, a));
      // An empty lone input leaves its place to the next one.
      if (table.MaxInputs > 1 || !a.empty()) r.Inputs.push_back(a);
      continue;
    }
    std::vector<TArgValue>& values = r.Values[o->Key ? o->Key : o->Name];
    if (o->Kind == TArgKind::Flag) {
      values.push_back({a, {}});
    } else if (o->Kind == TArgKind::Files) {
      const size_t before = values.size();
      while (i + 1 < args.size() && !isOption(args[i + 1])) values.push_back({args[++i], {}});
      if (values.size() == before)
        return fail(std::string(o->Name) + " needs at least one recording");
      if (values.size() > static_cast<size_t>(TVQRSession::kMaxCompared))
        return fail(std::string(o->Name) + " takes at most " +
                    std::to_string(TVQRSession::kMaxCompared) + " recordings");
    } else {
      if (value.empty()) {
        if (i + 1 >= args.size()) return fail(Fill(table.Missing, a));
        value = args[++i];
      }
      TArgValue v{value, {}};
      std::string message;
      if (o->Check && !o->Check(value, v, message))
        return fail(message.empty() ? o->Error + value : message);
      if (!message.empty()) say(message);
      values.push_back(std::move(v));
    }
  }
  if (table.NoInput && r.Inputs.empty()) return fail(table.NoInput);
  return r;
}

bool ArgsTaken(const TArgs& args) {
  std::fputs(args.Messages.c_str(), stderr);
  return args.Status == 0;
}

const std::vector<TArgValue>& TArgs::All(const std::string& key) const {
  static const std::vector<TArgValue> none;
  const auto it = Values.find(key);
  return it == Values.end() ? none : it->second;
}

std::vector<std::string> TArgs::Texts(const std::string& key) const {
  std::vector<std::string> texts;
  for (const TArgValue& v : All(key)) texts.push_back(v.Text);
  return texts;
}

std::vector<int> TArgs::EachInt(const std::string& key) const {
  std::vector<int> ints;
  for (const TArgValue& v : All(key)) ints.push_back(static_cast<int>(v.Numbers.at(0)));
  return ints;
}

TToolSettingsOptions TArgs::Settings() const {
  TToolSettingsOptions options;
  options.IniFile = Text("--ini");
  options.PublicFile = Text("--public");
  options.Defaults = Given("--defaults");
  return options;
}
