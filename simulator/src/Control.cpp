#include "simulator/src/Control.h"

#include <strings.h>

#include <cstdlib>

#include "simulator/src/ErrorStatus.h"
#include "simulator/src/Fixture.h"

namespace sim {

namespace {

bool ParsePduKind(const std::string& s, PduKind& out) {
  static const std::pair<const char*, PduKind> kNames[] = {
      {"get", PduKind::Get}, {"getnext", PduKind::GetNext}, {"getbulk", PduKind::GetBulk},
      {"set", PduKind::Set}, {"any", PduKind::Any},
  };
  for (const auto& [name, kind] : kNames) {
    if (strcasecmp(s.c_str(), name) == 0) {
      out = kind;
      return true;
    }
  }
  return false;
}

bool ParseCount(const std::string& s, int& out) {
  if (s.empty() || s.size() > 9) return false;
  for (char c : s) {
    if (c < '0' || c > '9') return false;
  }
  out = std::atoi(s.c_str());
  return true;
}

// An error status, or the name of an exception (its ASN.1 tag).
bool ParseInjectedStatus(const std::string& s, int& out) {
  static const std::pair<const char*, int> kExceptions[] = {
      {"noSuchObject", 0x80}, {"noSuchInstance", 0x81}, {"endOfMibView", 0x82}};
  for (const auto& [name, tag] : kExceptions) {
    if (strcasecmp(s.c_str(), name) == 0) {
      out = tag;
      return true;
    }
  }
  return ParseErrorStatus(s, out) && out != 0;
}

std::string Unquote(const std::string& word) {
  if (word.size() >= 2 && word.front() == '"' && word.back() == '"')
    return word.substr(1, word.size() - 2);
  return word;
}

const char* kHelp =
    "ok commands: ping | get OID | dump OID-PREFIX | set OID TYPE VALUE | motion OID "
    "still|count|tick|panel | absent OID | disorder COLUMN | repeat COLUMN | mute | "
    "unmute | "
    "delay MS | drop N | inject get|getnext|getbulk|set|any OID-PREFIX STATUS | hold | release | "
    "waiting | "
    "normal | reset | "
    "log PATH | log off | stop";

}  // namespace

const char* PduKindName(PduKind kind) {
  switch (kind) {
    case PduKind::Get:
      return "GET";
    case PduKind::GetNext:
      return "GETNEXT";
    case PduKind::GetBulk:
      return "GETBULK";
    case PduKind::Set:
      return "SET";
    case PduKind::Any:
      return "ANY";
  }
  return "?";
}

bool Behaviour::TakeInjection(PduKind kind, const Oid& oid, int& status) {
  for (auto it = injections.begin(); it != injections.end(); ++it) {
    if ((it->kind == PduKind::Any || it->kind == kind) && StartsWith(oid, it->prefix)) {
      status = it->status;
      injections.erase(it);
      return true;
    }
  }
  return false;
}

ControlChannel::ControlChannel(Store& store, Behaviour& behaviour, ControlHooks hooks)
    : store_(store), behaviour_(behaviour), hooks_(std::move(hooks)) {}

std::string ControlChannel::Execute(const std::string& line) {
  std::vector<std::string> w;
  if (!SplitWords(line, w)) return "error unterminated quote";
  if (w.empty()) return "error empty command";
  const std::string& cmd = w[0];
  auto usage = [](const char* text) { return std::string("error usage: ") + text; };

  if (cmd == "ping") return "ok pong";
  if (cmd == "help") return kHelp;
  if (cmd == "get") {
    Oid oid;
    if (w.size() != 2 || !ParseOid(w[1], oid)) return usage("get OID");
    Value v;
    switch (store_.Get(oid, v)) {
      case Store::Lookup::Found:
        return "ok " + FormatValue(v);
      case Store::Lookup::NoSuchInstance:
        return "ok noSuchInstance";
      case Store::Lookup::NoSuchObject:
        return "ok noSuchObject";
    }
    return "error lookup";
  }
  if (cmd == "dump") {
    Oid prefix;
    if (w.size() != 2 || !ParseOid(w[1], prefix)) return usage("dump OID-PREFIX");
    std::string reply = "ok";
    char separator = ' ';
    for (const VarBind& vb : store_.Under(prefix)) {
      reply += separator + FormatOid(vb.oid) + "=" + FormatValue(vb.value);
      separator = '\t';
    }
    return reply;
  }
  if (cmd == "set") {
    Oid oid;
    if (w.size() != 4 || !ParseOid(w[1], oid) || w[2].size() != 1)
      return usage("set OID TYPE VALUE");
    Value v;
    std::string error;
    if (!ParseTypedValue(w[2][0], Unquote(w[3]), v, error)) return "error " + error;
    if (!store_.Put(oid, v, &error)) return "error " + error;
    return "ok";
  }
  if (cmd == "absent") {
    Oid oid;
    if (w.size() != 2 || !ParseOid(w[1], oid)) return usage("absent OID");
    if (!store_.Remove(oid)) return "error no instance at or under " + FormatOid(oid);
    return "ok";
  }
  if (cmd == "disorder" || cmd == "repeat") {
    Oid column;
    if (w.size() != 2 || !ParseOid(w[1], column)) return usage((cmd + " COLUMN").c_str());
    if (!store_.Misbehave(column, cmd == "repeat" ? Store::Walk::Repeat : Store::Walk::Disorder))
      return "error " + FormatOid(column) + " is no readable table column";
    return "ok";
  }
  if (cmd == "motion") {
    Oid oid;
    if (w.size() != 3 || !ParseOid(w[1], oid)) return usage("motion OID still|count|tick|panel");
    Store::Motion motion;
    if (w[2] == "still")
      motion = Store::Motion::Still;
    else if (w[2] == "count")
      motion = Store::Motion::Count;
    else if (w[2] == "tick")
      motion = Store::Motion::Tick;
    else if (w[2] == "panel")
      motion = Store::Motion::Panel;
    else
      return usage("motion OID still|count|tick|panel");
    Value probe;
    if (store_.Get(oid, probe) != Store::Lookup::Found)
      return "error no instance " + FormatOid(oid);
    store_.SetMotion(oid, motion);
    return "ok";
  }
  if (cmd == "mute" || cmd == "unmute") {
    if (w.size() != 1) return usage(cmd.c_str());
    behaviour_.muted = cmd == "mute";
    return "ok";
  }
  if (cmd == "delay") {
    int ms = 0;
    if (w.size() != 2 || !ParseCount(w[1], ms)) return usage("delay MS");
    behaviour_.delayMs = ms;
    return "ok";
  }
  if (cmd == "drop") {
    int n = 0;
    if (w.size() != 2 || !ParseCount(w[1], n)) return usage("drop N");
    behaviour_.dropNext = n;
    return "ok";
  }
  if (cmd == "inject") {
    Injection inj;
    if (w.size() != 4 || !ParsePduKind(w[1], inj.kind) || !ParseOid(w[2], inj.prefix) ||
        !ParseInjectedStatus(w[3], inj.status)) {
      return usage("inject get|getnext|getbulk|set|any OID-PREFIX STATUS");
    }
    behaviour_.injections.push_back(inj);
    return "ok";
  }
  if (cmd == "hold") {
    behaviour_.holding = true;
    return "ok";
  }
  if (cmd == "release") {
    behaviour_.holding = false;
    if (hooks_.release) hooks_.release();
    return "ok";
  }
  if (cmd == "waiting") {
    if (w.size() != 1) return usage("waiting");
    return "ok " + std::to_string(hooks_.waiting ? hooks_.waiting() : 0);
  }
  if (cmd == "normal") {
    if (w.size() != 1) return usage("normal");
    behaviour_ = Behaviour();
    if (hooks_.release) hooks_.release();
    return "ok";
  }
  if (cmd == "reset") {
    store_.Reset();
    behaviour_ = Behaviour();
    if (hooks_.release) hooks_.release();
    return "ok";
  }
  if (cmd == "log") {
    if (w.size() != 2) return usage("log PATH | log off");
    std::string error;
    const std::string path = w[1] == "off" ? std::string() : Unquote(w[1]);
    if (!hooks_.openLog || !hooks_.openLog(path, error))
      return "error " + (error.empty() ? "no log" : error);
    return "ok";
  }
  if (cmd == "stop") {
    if (hooks_.stop) hooks_.stop();
    return "ok";
  }
  return "error unknown command \"" + cmd + "\" (try help)";
}

}  // namespace sim
