#include "interpreter.h"

#include <stdexcept>

#include "lexer.h"
#include "operators.h"
#include "render.h"
#include "runtime.h"

namespace script {

namespace {

struct Variable {
  std::string name;
  std::string type;
  host::Value value;
};

} // namespace

struct Interpreter::State {
  State(host::Host& h, std::ostream& o) : host(h), out(o), rt(h), scopes(1) {}

  host::Host& host;
  std::ostream& out;
  Runtime rt;
  // The script's variables, then those of each loop and loop body being run.
  std::vector<std::vector<Variable>> scopes;

  Variable* find(const std::string& name) {
    for (auto& scope : scopes)
      for (Variable& v : scope)
        if (sameName(v.name, name)) return &v;
    return nullptr;
  }

  void declare(const Name& name, const std::string& type, host::Value value) {
    if (find(name.text)) throw ScriptError(name.at, name.text + " is already declared");
    scopes.back().push_back({name.text, type, std::move(value)});
  }

  Operand evaluate(const Expr& e) {
    switch (e.kind) {
    case Expr::Kind::Literal:
      return Operand::of(e.literal);
    case Expr::Kind::Variable: {
      const Variable* v = find(e.name);
      if (!v) throw ScriptError(e.at, e.name + " is not declared");
      return {v->value, v->type};
    }
    case Expr::Kind::New:
      return rt.create(e.at, e.name, values(e.args));
    case Expr::Kind::Member: {
      const Operand self = value(*e.left);
      return rt.member(e.at, self, e.name, values(e.args), e.parens);
    }
    case Expr::Kind::Negate:
      return negate(rt, e.at, value(*e.left));
    case Expr::Kind::Binary: {
      const Operand left = value(*e.left);
      return binary(rt, e.at, e.name, left, value(*e.right));
    }
    }
    throw std::logic_error("unknown expression");
  }

  // An expression whose value is used: a method without a result has none.
  Operand value(const Expr& e) {
    Operand o = evaluate(e);
    if (o.value.isNothing()) throw ScriptError(e.at, e.name + " does not return a value");
    return o;
  }

  std::vector<Operand> values(const std::vector<ExprPtr>& exprs) {
    std::vector<Operand> result;
    for (const ExprPtr& e : exprs) result.push_back(value(*e));
    return result;
  }

  void run(const std::vector<Statement>& statements) {
    for (const Statement& s : statements) std::visit([&](const auto& w) { run(s, w); }, s.what);
  }

  void run(const Statement&, const Declare& d) {
    const std::string type = rt.typeNamed(d.type.at, d.type.text);
    if (d.isNew && isScalarType(type))
      throw ScriptError(d.type.at, "New makes objects of classes, not " + type);
    for (const Name& name : d.names) {
      host::Value initial;
      if (d.isNew)
        initial = rt.create(d.type.at, type, values(d.args)).value;
      else if (d.value)
        initial = rt.convert(d.value->at, value(*d.value), type).value;
      else
        initial = zero(type);
      declare(name, type, std::move(initial));
    }
  }

  static host::Value zero(const std::string& type) {
    if (type == "Double") return 0.0;
    if (type == "Integer") return 0;
    if (type == "Boolean") return false;
    if (type == "String") return "";
    return host::Value::nil();
  }

  void run(const Statement&, const Assign& a) {
    const Expr& target = *a.target;
    if (target.kind == Expr::Kind::Variable) {
      Variable* v = find(target.name);
      if (!v) throw ScriptError(target.at, target.name + " is not declared");
      const std::string type = v->type;
      host::Value converted = rt.convert(a.value->at, value(*a.value), type).value;
      find(target.name)->value = std::move(converted);
      return;
    }
    const Operand self = value(*target.left);
    const std::vector<Operand> args = values(target.args);
    const Operand v = value(*a.value);
    rt.assignMember(target.at, self, target.name, args, target.parens, v, a.value->at);
  }

  void run(const Statement&, const Call& c) {
    const Expr& call = *c.call;
    const Operand self = value(*call.left);
    if (!call.parens && rt.hasProperty(self, call.name))
      throw ScriptError(call.at, call.name + " is a property; a statement calls a method or "
                                             "assigns a value");
    rt.member(call.at, self, call.name, values(call.args), call.parens);
  }

  void run(const Statement&, const Print& p) {
    std::string line;
    for (size_t i = 0; i < p.items.size(); ++i) {
      if (i) line += ' ';
      line += rt.text(p.items[i]->at, value(*p.items[i]));
    }
    out << line << std::endl;
  }

  void run(const Statement& s, const Render& r) {
    if (r.args.size() < 3)
      throw ScriptError(s.at, "Render takes a file name, a width, a height and, if wanted, "
                              "the polygons");
    const std::string path =
        rt.convert(r.args[0]->at, value(*r.args[0]), "String").value.asString();
    const auto width = rt.convert(r.args[1]->at, value(*r.args[1]), "Integer").value.asInteger();
    const auto height = rt.convert(r.args[2]->at, value(*r.args[2]), "Integer").value.asInteger();
    std::vector<host::Value> polygons;
    for (size_t i = 3; i < r.args.size(); ++i) {
      const Operand p = rt.convert(r.args[i]->at, value(*r.args[i]), "PolygonF");
      if (p.value.isNil())
        throw ScriptError(r.args[i]->at, "NilObjectException: Render of a Nil PolygonF", true);
      polygons.push_back(p.value);
    }
    if (r.args.size() == 3) polygons = allPolygons();
    try {
      writePng(path,
               renderPolygons(host, polygons, static_cast<int>(width), static_cast<int>(height)));
    } catch (const std::runtime_error& e) {
      throw ScriptError(s.at, e.what());
    }
    out << renderReport(polygons.size(), path, static_cast<int>(width), static_cast<int>(height))
        << std::endl;
  }

  void run(const Statement& s, const For& f) {
    const Operand first = value(*f.first);
    const Operand last = value(*f.last);
    const Operand step = f.step ? value(*f.step) : Operand::of(host::Value(1));
    if (!step.isNumber() || !last.isNumber())
      throw ScriptError(f.step && !step.isNumber() ? f.step->at : f.last->at,
                        "a For loop counts with numbers");
    if (binary(rt, s.at, "=", step, Operand::of(host::Value(0))).value.asBoolean())
      throw ScriptError(f.step->at, "the Step of a For loop must not be 0");
    const bool upward = binary(rt, s.at, ">", step, Operand::of(host::Value(0))).value.asBoolean();

    scopes.emplace_back();
    if (!f.type.empty()) {
      const std::string type = rt.typeNamed(s.at, f.type);
      if (type != "Integer" && type != "Double")
        throw ScriptError(f.variable.at, "a For loop counts with an Integer or a Double");
      declare(f.variable, type, zero(type));
    }
    Variable* counter = find(f.variable.text);
    if (!counter) throw ScriptError(f.variable.at, f.variable.text + " is not declared");
    if (counter->type != "Integer" && counter->type != "Double")
      throw ScriptError(f.variable.at, "a For loop counts with an Integer or a Double");
    counter->value = rt.convert(f.first->at, first, counter->type).value;
    for (;;) {
      counter = find(f.variable.text);
      const Operand current{counter->value, counter->type};
      if (!binary(rt, s.at, upward ? "<=" : ">=", current, last).value.asBoolean()) break;
      scopes.emplace_back();
      run(f.body);
      scopes.pop_back();
      counter = find(f.variable.text);
      const Operand now{counter->value, counter->type};
      counter->value = rt.convert(s.at, binary(rt, s.at, "+", now, step), now.type).value;
    }
    scopes.pop_back();
  }

  std::vector<host::Value> allPolygons() const {
    std::vector<host::Value> found;
    for (const auto& scope : scopes)
      for (const Variable& v : scope)
        if (v.value.isObject() && v.value.typeName() == "PolygonF") found.push_back(v.value);
    return found;
  }
};

Interpreter::Interpreter(host::Host& host, std::ostream& out)
    : state_(std::make_unique<State>(host, out)) {}

Interpreter::~Interpreter() = default;

void Interpreter::run(const Program& program) {
  state_->run(program);
}

std::vector<host::Value> Interpreter::polygons() const {
  return state_->allPolygons();
}

std::string renderReport(size_t polygons, const std::string& path, int width, int height) {
  return "Render: " + std::to_string(polygons) + (polygons == 1 ? " polygon" : " polygons") +
         " into " + path + " (" + std::to_string(width) + " x " + std::to_string(height) + ")";
}

} // namespace script
