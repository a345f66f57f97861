#pragma once

class RulerContext;

// Calibration against a physical ruler: asked for from the menu or the settings dialog, it takes
// one press on the horizontal bar and one on the vertical bar; asking for it again on the way
// cancels it.
class Calibration {
public:
    explicit Calibration(RulerContext &context) : m_context(context) {}

    // Starts calibration, or cancels the one that runs.
    void Kalibrace();
    // A press on the scale while calibration runs is its next step.
    void takePress();

private:
    void start();
    void cancel();

    RulerContext &m_context;
};
