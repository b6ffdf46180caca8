#pragma once
// Every window of the program that is loaded and not yet unloaded, in load order.
// The main window is loaded first and stays until the end, so it is always at index 0.

namespace tk {

class Form;

class LoadedForms {
public:
    static int Count();
    static Form* Item(int index);  // 0-based; null when out of range

private:
    friend class Form;
    friend void EndProgram();
    static void Add(Form* form);
    static void Remove(Form* form);
};

}  // namespace tk
