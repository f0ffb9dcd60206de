#pragma once

#include <functional>
#include <string>

// The few ways the core reaches the user or the front end's event loop. The
// GUI, the CLI and tests each plug in their own implementations; the core never
// asks which one it talks to.

// Message boxes. Every text is translated before it gets here; the caption is
// always "VEXOR".
class IUserPrompt {
public:
    enum class Icon { Information, Warning, Error, Question };
    virtual ~IUserPrompt() = default;
    virtual void message(const std::string& text, Icon icon) = 0;
    // Returns true for Yes. defaultYes says which button is the default.
    virtual bool ask(const std::string& text, bool defaultYes) = 0;
    // Save, Discard or Cancel, in one question (Save the default). A prompt
    // that only knows yes and no asks whether to save and takes No for
    // Cancel: nothing is thrown away without an explicit answer.
    enum class SaveAnswer { Save, Discard, Cancel };
    virtual SaveAnswer askSave(const std::string& text) {
        return ask(text, true) ? SaveAnswer::Save : SaveAnswer::Cancel;
    }
};

// Lets a long wait on the UI thread keep the window responsive.
class IEventPump {
public:
    virtual ~IEventPump() = default;
    virtual void pump() = 0;
};

// The frame's timers. armReconnect() may be called from the polling thread.
class IFrameTimers {
public:
    virtual ~IFrameTimers() = default;
    virtual void armReconnect() = 0;
    virtual void startDisplay() = 0;
};

// Open / save path choice; an empty result means the user cancelled.
class IFileChooser {
public:
    virtual ~IFileChooser() = default;
    // folder: where to start; extension without the dot ("xset", "img", "osc").
    virtual std::string openPath(const std::string& folder, const std::string& extension) = 0;
    virtual std::string savePath(const std::string& folder, const std::string& extension,
                                 const std::string& suggestedName) = 0;
};

// A wait cursor shown while an instance of the scoped object lives.
class IBusyCursor {
public:
    virtual ~IBusyCursor() = default;
    virtual void begin() = 0;
    virtual void end() = 0;
};

// The set of seams a core object is given. Null members mean "nobody listens":
// messages are dropped, questions answered with their default, pumps do nothing.
struct Seams {
    IUserPrompt* prompt = nullptr;
    IEventPump* pump = nullptr;
    IFrameTimers* timers = nullptr;
    IFileChooser* chooser = nullptr;
    IBusyCursor* cursor = nullptr;

    void message(const std::string& text, IUserPrompt::Icon icon) const {
        if (prompt)
            prompt->message(text, icon);
    }
    bool ask(const std::string& text, bool defaultYes) const {
        return prompt ? prompt->ask(text, defaultYes) : defaultYes;
    }
    IUserPrompt::SaveAnswer askSave(const std::string& text) const {
        return prompt ? prompt->askSave(text) : IUserPrompt::SaveAnswer::Save;
    }
    void pumpEvents() const {
        if (pump)
            pump->pump();
    }
};

// Scoped wait cursor over an optional IBusyCursor.
class CBusyScope {
public:
    explicit CBusyScope(IBusyCursor* cursor) : m_cursor(cursor) {
        if (m_cursor)
            m_cursor->begin();
    }
    ~CBusyScope() {
        if (m_cursor)
            m_cursor->end();
    }
    CBusyScope(const CBusyScope&) = delete;
    CBusyScope& operator=(const CBusyScope&) = delete;

private:
    IBusyCursor* m_cursor;
};
