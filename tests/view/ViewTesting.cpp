#include "ViewTesting.h"

#include <gtest/gtest.h>

#include <QApplication>

ViewFixture::ViewFixture(int width, int height, QSize window, const CToolRegistry& tools) {
    EXPECT_TRUE(doc.OnNewDocument(width, height));
    doc.OnFrameActivated();
    view = std::make_unique<CPictorraView>(doc, frame, nullptr, tools);
    view->setFrameStyle(0);
    view->resize(window);
    view->show();
    view->OnInitialUpdate();
    QApplication::processEvents();
}

ViewFixture::~ViewFixture() {
    view.reset();
}
