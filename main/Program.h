#pragma once

#include "Environment.h"

#include <QString>

#include <functional>
#include <utility>

// The program block of Sovranel: shows the splash, creates every window once in order
// (Form1, sobre, impressao, frm_salvar, frm_foto, Curriculo) with the splash's progress
// between them, and destroys the splash, also when a step fails (the failure then goes on).
// `trace`, when given, hears each step as it happens ("create Form1", "progress 25",
// "repaint", ...), so a test can follow the order without timing.
void createWindows(const Environment& env, const std::function<void(const QString&)>& trace = {});

// Makes a window whose constructor sets its global instance first (so its creation handler
// can reach it) and clears that instance again when the constructor fails, so that no
// global points at a half-made window.
template <class Window, class... Args> Window* createWindow(Window*& instance, Args&&... args)
{
    try {
        return new Window(std::forward<Args>(args)...);
    } catch (...) {
        instance = nullptr;
        throw;
    }
}

// Destroys the windows createWindows made, in reverse order.
void destroyWindows();

// The whole program: application object, title, windows, message loop.
int runProgram(int argc, char** argv);
