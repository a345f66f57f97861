#pragma once

#include <thread>

// Reads the system's font configuration on a second thread while the ruler builds its controls
// and reads its settings, language and skin. The ruler's first frame carries text, and parsing
// that configuration is the largest single cost of its start; the font library keeps what it
// read for the whole run, so the first text laid out finds it ready. Where there is no such
// library nothing happens.
class FontConfigWarmUp {
public:
    FontConfigWarmUp();
    ~FontConfigWarmUp();
    FontConfigWarmUp(const FontConfigWarmUp &) = delete;
    FontConfigWarmUp &operator=(const FontConfigWarmUp &) = delete;

    // Returns once the configuration has been read.
    void wait();

private:
    std::thread m_reader;
};
