#include "app/WD_InstallRegistry.h"
#include "app/WF_Installation.h"
#include "framework/forms/Application.h"

#include <gtest/gtest.h>

TEST(LauncherWindow, Builds)
{
    Application->Initialize();
    try {
        DM_LocalData = new TDM_LocalData(nullptr);
        auto* form = new TFM_Installation(nullptr);
        form->Show();
        delete form;
        delete DM_LocalData;
    } catch (const std::exception& e) {
        FAIL() << e.what();
    }
}
