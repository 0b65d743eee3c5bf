#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "platform/base/Result.h"
#include "platform/window/Presenter.h"

// How the runtime draws windows and finds their definitions. Set on the first
// thread after rt::startUp and before it starts any other thread; the runtime
// ends the program when either is changed while another of its threads may
// read it. rt::closeDown lets go of both.
namespace rt {

// Without a presenter no window is ever shown, as hidden runs want.
void usePresenter(std::unique_ptr<Presenter> presenter);
bool hasPresenter();

// Where window definitions come from; the program's stored ones unless a
// test says otherwise. Fails with one line that says why.
using DefinitionLoader =
    std::function<rt::Result<std::shared_ptr<const definition::WindowDescription>, std::string>(
        std::string_view moduleKey, std::string_view windowKey)>;
void useDefinitionLoader(DefinitionLoader loader);

// Procedure threads whose procedures have not returned yet.
std::size_t runningThreads();

}  // namespace rt
