#pragma once
// Events are method references: a callable plus, for the form resources and the
// designer, the name of the published method it was wired to.
#include <functional>
#include <string>

class TObject;

template <class... Args>
class TEvent {
public:
    using Handler = std::function<void(Args...)>;

    TEvent() = default;
    TEvent(std::nullptr_t) {}
    template <class F, class = std::enable_if_t<std::is_invocable_v<F&, Args...>>>
    TEvent(F&& f) : FHandler(std::forward<F>(f)) {}

    TEvent& operator=(std::nullptr_t)
    {
        FHandler = nullptr;
        FMethodName.clear();
        return *this;
    }

    explicit operator bool() const { return static_cast<bool>(FHandler); }
    void operator()(Args... args) const { FHandler(std::forward<Args>(args)...); }

    // Wiring by name, as the form reader does: in design mode the handler may be
    // empty while the name is kept for writing the form back.
    void Bind(Handler handler, std::string methodName)
    {
        FHandler = std::move(handler);
        FMethodName = std::move(methodName);
    }
    const std::string& MethodName() const { return FMethodName; }
    bool IsWired() const { return FHandler || !FMethodName.empty(); }

private:
    Handler FHandler;
    std::string FMethodName;
};

using TNotifyEvent = TEvent<TObject*>;
