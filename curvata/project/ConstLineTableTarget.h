#pragma once

// The two kinds of constant line: X lines are vertical (a constant x
// value), Y lines horizontal (a constant y value).
enum class ConstLineKind
{
    X,
    Y
};

// What the Const Lines window needs of the table of points to copy a line
// into it. The table formats the value in its own number format, adds a
// column pair and enters the value into every fuse row's x column (X line)
// or y column (Y line), computing the partner column as for typed values.
class ConstLineTableTarget
{
public:
    virtual ~ConstLineTableTarget() = default;
    virtual void addConstLineValue(float value, ConstLineKind kind) = 0;
};
