// The main window's tool bar: 22 tools with their pictures, tooltips and status-bar texts.
#include "app/ids.h"
#include "app/parent_frame.h"

#include "app/res/abrir.xpm"
#include "app/res/ayuda.xpm"
#include "app/res/buscar.xpm"
#include "app/res/cerrar.xpm"
#include "app/res/compilar.xpm"
#include "app/res/consola.xpm"
#include "app/res/copiar.xpm"
#include "app/res/cortar.xpm"
#include "app/res/deshacer.xpm"
#include "app/res/desindentar.xpm"
#include "app/res/ejecutar.xpm"
#include "app/res/guardar.xpm"
#include "app/res/imprimir.xpm"
#include "app/res/indentar.xpm"
#include "app/res/nuevo.xpm"
#include "app/res/parada.xpm"
#include "app/res/pegar.xpm"
#include "app/res/rehacer.xpm"
#include "app/res/terminar.xpm"
#include "app/res/wlist.xpm"
#include "app/res/zoom_in.xpm"
#include "app/res/zoom_out.xpm"

namespace {

struct Tool {
    int id;
    const char* const* xpm;
    const wchar_t* tooltip;
    const wchar_t* status_text;
    wxItemKind kind = wxITEM_NORMAL;
    const wchar_t* label = L"";
};

const Tool TOOLS[] = {
    {ID_NUEVO, nuevo_xpm, L"Nuevo", L"Nuevo"},
    {ID_ABRIR, abrir_xpm, L"Abrir", L"Abrir archivo"},
    {ID_CERRAR, cerrar_xpm, L"Cerrar", L"Salir del editor"},
    {ID_GUARDAR, guardar_xpm, L"Guardar", L"Guardar archivo"},
    {ID_ZOOM_IN, zoom_in_xpm, L"Aumentar zoom", L"Aumentar zoom"},
    {ID_ZOOM_OUT, zoom_out_xpm, L"Disminuir zoom", L"Disminuir zoom"},
    {ID_IMPRIMIR, imprimir_xpm, L"Imprimir", L"Imprimir"},
    {ID_DESHACER, deshacer_xpm, L"Deshacer", L"Deshacer"},
    {ID_REHACER, rehacer_xpm, L"Rehacer", L"Rehacer"},
    {ID_COPIAR, copiar_xpm, L"Copiar", L"Copiar"},
    {ID_CORTAR, cortar_xpm, L"Cortar", L"Cortar"},
    {ID_PEGAR, pegar_xpm, L"Pegar", L"Pegar"},
    {ID_INDENTAR, indentar_xpm, L"Indentar", L"Agregar indentación"},
    {ID_DESINDENTAR, desindentar_xpm, L"Desindentar", L"Quitar indentación"},
    {ID_BUSCAR, buscar_xpm, L"Buscar", L"Buscar"},
    {ID_VER_WLIST, wlist_xpm, L"Ver visor de expresiones", L"", wxITEM_CHECK,
     L"Mostrar/ocultar visor de expresiones"},
    {ID_SHOW_OUTSCREEN, consola_xpm, L"Ventana de ejecución", L"", wxITEM_CHECK},
    {ID_COMPILAR, compilar_xpm, L"Compilar", L"Compilar"},
    {ID_EJECUTAR, ejecutar_xpm, L"Ejecutar", L"Ejecutar"},
    {ID_TERMINAR, terminar_xpm, L"Terminar", L"Terminar"},
    {ID_BREAK_POINT, parada_xpm, L"Punto de parada", L"Punto de parada"},
    {ID_AYUDA, ayuda_xpm, L"Ayuda", L"Ayuda"},
};

}  // namespace

void ParentFrame::crear_tool_bar() {
    toolbar = CreateToolBar(wxTB_HORIZONTAL | wxTB_FLAT | wxBORDER_SUNKEN);
    toolbar->SetMargins(2, 2);
    toolbar->SetToolBitmapSize(wxBitmap(TOOLS[0].xpm).GetSize());
    for (const Tool& t : TOOLS)
        toolbar->AddTool(t.id, t.label, wxBitmap(t.xpm), wxNullBitmap, t.kind, t.tooltip,
                         t.status_text);
    toolbar->EnableTool(ID_TERMINAR, false);
    toolbar->Realize();
}
