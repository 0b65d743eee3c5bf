#include "ModulePresenter.h"

namespace rt {

ModulePresenter::ModulePresenter(LoadedModule module, std::unique_ptr<Presenter> presenter)
    : m_module(std::move(module)), m_presenter(std::move(presenter)) {}

// The presenter's destructor is code of the module.
ModulePresenter::~ModulePresenter() {
    m_presenter.reset();
}

}  // namespace rt
