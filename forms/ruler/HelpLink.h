#pragma once

class RulerContext;
class THtmlHelpViewer;

// Lets the help speak the ruler's language (its captions, and English pages for anyone who does
// not read the ruler in Czech) and keep its window's place in the ruler's settings file.
class HelpLink {
public:
    explicit HelpLink(RulerContext &context) : m_context(context) {}

    void connect(THtmlHelpViewer &help);
    // Closes the help window and leaves the help without the ruler's language and settings.
    void release();

private:
    RulerContext &m_context;
    THtmlHelpViewer *m_help = nullptr;
};
