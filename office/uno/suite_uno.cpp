// SPDX-License-Identifier: MIT
#include "office/uno/suite_uno.h"

#include <com/sun/star/awt/XTopWindow.hpp>
#include <com/sun/star/awt/XWindow.hpp>
#include <com/sun/star/frame/XComponentLoader.hpp>
#include <com/sun/star/frame/XController.hpp>
#include <com/sun/star/frame/XFrame.hpp>
#include <com/sun/star/frame/XTitle.hpp>
#include <com/sun/star/lang/DisposedException.hpp>
#include <com/sun/star/task/XInteractionAbort.hpp>
#include <com/sun/star/task/XInteractionHandler.hpp>
#include <com/sun/star/task/XInteractionRequest.hpp>
#include <com/sun/star/util/XCloseable.hpp>
#include <cppuhelper/implbase1.hxx>

#include <algorithm>
#include <stdexcept>

namespace kcuno {

using namespace css;
using rtl::OUString;

namespace {

// Answers every question the office would ask while loading (password, damaged file, lock,
// filter options) with "abort", so that a hidden load never waits on an unseen dialog.
class AbortingHandler : public cppu::WeakImplHelper1<task::XInteractionHandler> {
  public:
    void SAL_CALL handle(const Reference<task::XInteractionRequest>& request) override {
        const auto continuations = request->getContinuations();
        for (const auto& c : continuations) {
            Reference<task::XInteractionAbort> abort(c, uno::UNO_QUERY);
            if (abort.is()) {
                abort->select();
                return;
            }
        }
    }
};

} // namespace

OUString toOUString(std::string_view s) {
    return OUString(s.data(), static_cast<sal_Int32>(s.size()), RTL_TEXTENCODING_UTF8);
}

std::string toUtf8(const OUString& s) {
    const rtl::OString o = rtl::OUStringToOString(s, RTL_TEXTENCODING_UTF8);
    return std::string(o.getStr(), static_cast<size_t>(o.getLength()));
}

beans::PropertyValue property(const char* name, const uno::Any& value) {
    beans::PropertyValue p;
    p.Name = OUString::createFromAscii(name);
    p.Value = value;
    return p;
}

void showFrontWindow(const Reference<frame::XModel>& model) {
    Reference<awt::XWindow> window =
        model->getCurrentController()->getFrame()->getContainerWindow();
    window->setVisible(true);
    Reference<awt::XTopWindow> top(window, uno::UNO_QUERY);
    if (top.is())
        top->toFront();
}

void closeModel(const Reference<frame::XModel>& model) {
    Reference<util::XCloseable> closeable(model, uno::UNO_QUERY);
    if (closeable.is())
        closeable->close(true);
    else
        model->dispose();
}

void UnoSuite::guarded(const char* what, const std::function<void()>& op) {
    try {
        office_.desktop();
        Deadline deadline(office_.watchdog(), office_.process(), office_.options().callTimeoutMs,
                          office_.onHang());
        op();
    } catch (const lang::DisposedException& e) {
        office_.markLost();
        workbook_.clear();
        sheet_.clear();
        wordDocument_.clear();
        throw std::runtime_error(std::string(what) + ": the office went away (" +
                                 toUtf8(e.Message) + ")");
    } catch (const uno::Exception& e) {
        if (office_.watchdog().fired())
            office_.markLost();
        throw std::runtime_error(std::string(what) + ": " + toUtf8(e.Message));
    }
}

Reference<frame::XModel> UnoSuite::load(const OUString& url, bool hidden, sal_Int16 macros,
                                        const uno::Sequence<beans::PropertyValue>& more) {
    uno::Sequence<beans::PropertyValue> args(3 + more.getLength());
    auto* a = args.getArray();
    a[0] = property("Hidden", uno::Any(hidden));
    a[1] = property("InteractionHandler",
                    uno::Any(Reference<task::XInteractionHandler>(new AbortingHandler)));
    a[2] = property("MacroExecutionMode", uno::Any(macros));
    std::copy(more.begin(), more.end(), a + 3);
    Reference<frame::XComponentLoader> loader(office_.desktop(), uno::UNO_QUERY_THROW);
    Reference<frame::XModel> model(loader->loadComponentFromURL(url, "_blank", 0, args),
                                   uno::UNO_QUERY);
    if (!model.is())
        throw uno::RuntimeException("the office could not open " + url);
    return model;
}

std::string UnoSuite::windowTitle(const std::string& path) {
    std::string title;
    guarded("read a window's title", [&] {
        Reference<frame::XModel> shown = wordDocument_;
        if (!path.empty()) {
            shown.clear();
            const OUString url = fileUrl(path);
            auto components = office_.desktop()->getComponents()->createEnumeration();
            while (!shown.is() && components->hasMoreElements()) {
                Reference<frame::XModel> model(components->nextElement(), uno::UNO_QUERY);
                if (model.is() && model->getURL() == url)
                    shown = model;
            }
        }
        if (!shown.is())
            throw uno::RuntimeException("no such document is open");
        Reference<frame::XTitle> frame(shown->getCurrentController()->getFrame(),
                                       uno::UNO_QUERY_THROW);
        title = toUtf8(frame->getTitle());
    });
    return title;
}

void UnoSuite::shutdown() {
    try {
        office_.terminateIfIdle();
    } catch (const std::exception&) {
    }
}

} // namespace kcuno

extern "C" __attribute__((visibility("default"))) office::Suite*
kc_office_create(const office::SuiteOptions* options) {
    try {
        return new kcuno::UnoSuite(*options);
    } catch (...) {
        return nullptr;
    }
}
