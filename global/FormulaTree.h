#pragma once
// The tree a formula is read into: nodes in one list, children named by their index. Operators of
// one precedence level in a row ("a + b - c + d") make one chain node, evaluated in a loop, so that
// the depth of the tree is that of the parentheses, functions and unary operators only.

#include "global/Formula.h"

#include <QString>

#include <vector>

namespace global {

enum class FormulaOp {
    Negate, UnaryPlus, Not,                       // one operand
    Multiply, Divide, Remainder, Add, Subtract,   // numbers
    Equal, NotEqual, Less, LessOrEqual, Greater, GreaterOrEqual,
    And, Or, Join
};

enum class FormulaFunction { Sub, Left, Right, Clip, Upper, Lower, Len, Instring, Int, Round, Abs, Choose, Deform };

struct FormulaFunctionInfo {
    FormulaFunction function;
    const char* name;
    int minArguments;
    int maxArguments;   // -1: any number
};

// The function of that name (upper case), or nullptr.
const FormulaFunctionInfo* findFormulaFunction(const QString& upperName);

struct Formula::Tree {
    enum class Kind { Number, Text, Name, Unary, Chain, Call };

    struct Node {
        Kind kind = Kind::Number;
        FormulaOp op = FormulaOp::Add;              // Unary
        FormulaFunction function = FormulaFunction::Sub;
        double number = 0;
        int position = 0;             // Name: of its first character, counted from 1
        QString text;                 // a text literal, or a name in upper case
        std::vector<int> operands;    // Unary: one; Chain: two or more; Call: the arguments
        std::vector<FormulaOp> ops;   // Chain: ops[i] joins operands[i + 1] to what came before
    };

    std::vector<Node> nodes;
    int root = -1;
};

// How two values compare: < 0, 0 or > 0 (numbers or texts, as the language compares them).
int compareFormulaValues(const FormulaValue& a, const FormulaValue& b);
// The number rounded to 15 significant digits, as the language shows it; so INT and ROUND work on the
// number the user sees (INT of 2.9999999999999996 is 3).
double significantDigits15(double value);

// Reads the text into the tree; answers a syntax or function error, or an empty result.
FormulaResult readFormula(const QString& text, Formula::Tree& tree);

// Evaluates a tree that was read without error.
FormulaResult evaluateFormulaTree(const Formula::Tree& tree, const FormulaBindings& names);

} // namespace global
