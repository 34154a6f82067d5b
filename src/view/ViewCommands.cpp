#include "view/ViewCommands.h"

#include <QMenu>

#include "ui/CommandIds.h"
#include "ui/CommandRouter.h"
#include "ui/MainMenus.h"

namespace {
constexpr CFixedZoom kFixedZooms[] = {
    {ID_VIEW_ZOOM_1_100, "1:100", 0.01f}, {ID_VIEW_ZOOM_1_40, "1:40", 0.025f},
    {ID_VIEW_ZOOM_1_20, "1:20", 0.05f},   {ID_VIEW_ZOOM_1_10, "1:10", 0.1f},
    {ID_VIEW_ZOOM_1_6, "1:6", 0.16f},     {ID_VIEW_ZOOM_1_3, "1:3", 0.33f},
    {ID_VIEW_ZOOM_1_1, "1:1", 1.0f},      {ID_VIEW_ZOOM_2_1, "2:1", 2.0f},
    {ID_VIEW_ZOOM_4_1, "4:1", 4.0f},      {ID_VIEW_ZOOM_8_1, "8:1", 8.0f},
    {ID_VIEW_ZOOM_16_1, "16:1", 16.0f},   {ID_VIEW_ZOOM_32_1, "32:1", 32.0f},
};
}  // namespace

std::span<const CFixedZoom> FixedZooms() {
    return kFixedZooms;
}

void AddViewCommands(CCommandRouter& router) {
    router.Command(ID_VIEW_ZOOM_IN, QStringLiteral("Zoom &In"), {QKeySequence::ZoomIn});
    router.Command(ID_VIEW_ZOOM_OUT, QStringLiteral("Zoom &Out"), {QKeySequence::ZoomOut});
    router.Command(ID_VIEW_REGION_ZOOM, QStringLiteral("&Region Zoom"));
    for (const CFixedZoom& zoom : kFixedZooms) {
        router.Command(zoom.id, QString::fromLatin1(zoom.text))->setCheckable(true);
    }
    router.Command(ID_VIEW_REGION_ZOOM)->setCheckable(true);
    router.Command(ID_VIEW_FONT, QStringLiteral("&Font..."));
}

void AddViewMenus(CMainMenus& menus, CCommandRouter& router) {
    QMenu* view = menus.Menu(CMainMenus::kDocumentMenu, QStringLiteral("&View"));
    view->addSeparator();
    view->addAction(router.Command(ID_VIEW_ZOOM_IN));
    view->addAction(router.Command(ID_VIEW_ZOOM_OUT));
    view->addAction(router.Command(ID_VIEW_REGION_ZOOM));
    QMenu* zoom = view->addMenu(QStringLiteral("&Zoom"));
    QObject::connect(zoom, &QMenu::aboutToShow, &router, &CCommandRouter::UpdateAll);
    for (const CFixedZoom& fixed : kFixedZooms) {
        zoom->addAction(router.Command(fixed.id));
    }
    view->addSeparator();
    view->addAction(router.Command(ID_VIEW_FONT));
}
