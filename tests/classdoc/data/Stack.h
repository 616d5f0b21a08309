// A stack of integers held in a growing array.
#ifndef STACK_H
#define STACK_H

#include "container.h"

class Stack : public Container
{
public:
    Stack();
    ~Stack();

    // Puts a value on top of the stack.
    void push(int value);
    int pop();               // takes the top value off

    int depth() const { return count; }

protected:
    void grow(int by = 8);

private:
    int* items;
    int count;
    virtual void report() const;
};

#endif
