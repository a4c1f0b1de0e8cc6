#include "app/frame.h"

#include "app/ids.h"

namespace {

struct Item {
    int id;  // 0 = separator
    const wchar_t* label;
    wxItemKind kind = wxITEM_NORMAL;
};

void fill(wxMenu* menu, std::initializer_list<Item> items) {
    for (const Item& it : items) {
        if (it.id == 0)
            menu->AppendSeparator();
        else
            menu->Append(it.id, it.label, wxEmptyString, it.kind);
    }
}

}  // namespace

Frame::Frame()
    : menu_bar(new wxMenuBar),
      file_menu(new wxMenu),
      edit_menu(new wxMenu),
      execute_menu(new wxMenu),
      view_menu(new wxMenu),
      help_menu(new wxMenu),
      watch_submenu(new wxMenu) {
    fill(file_menu, {{ID_NUEVO, L"&Nuevo\tCtrl-N"},
                     {0, nullptr},
                     {ID_ABRIR, L"&Abrir...\tCtrl-O"},
                     {ID_CERRAR, L"&Cerrar"},
                     {ID_GUARDAR, L"G&uardar\tCtrl-G"},
                     {ID_GUARDAR_COMO, L"&Guardar como..."},
                     {ID_DIRECTORIO, L"&Directorio de trabajo..."},
                     {0, nullptr},
                     {ID_PAGE_SETUP, L"C&onfigurar Página..."},
                     {ID_PRINTER_SETUP, L"Con&figurar Impresora..."},
                     {ID_IMPRIMIR, L"&Imprimir...\tCtrl-P"},
                     {0, nullptr},
                     {0, nullptr},
                     {ID_SALIR, L"&Salir\tAlt-S"}});
    fill(edit_menu, {{ID_DESHACER, L"&Deshacer\tCtrl-Z"},
                     {ID_REHACER, L"&Rehacer\tCtrl-Y"},
                     {0, nullptr},
                     {ID_COPIAR, L"&Copiar\tCtrl-C"},
                     {ID_CORTAR, L"C&ortar\tCtrl-X"},
                     {ID_PEGAR, L"&Pegar\tCtrl-V"},
                     {ID_SELECT_ALL, L"&Seleccionar todo\tCtrl-E"},
                     {0, nullptr},
                     {ID_BUSCAR, L"&Buscar...\tCtrl-B"},
                     {ID_BUSCAR_OTRA_VEZ, L"B&uscar otra vez\tF3"},
                     {ID_REEMPLAZAR, L"&Reemplazar...\tCtrl-R"},
                     {0, nullptr},
                     {ID_INDENTAR, L"&Insertar indentación"},
                     {ID_DESINDENTAR, L"&Quitar indentación"},
                     {0, nullptr},
                     {ID_GOTO_LINE, L"Ir &a linea ...\tAlt-T"},
                     {0, nullptr},
                     {ID_PREFERENCIAS, L"Pr&eferencias"}});
    fill(view_menu, {{ID_ULTIMO_ERROR, L"&Ultimo error"},
                     {0, nullptr},
                     {ID_VER_WLIST, L"&Visor de expresiones\tCtrl-H", wxITEM_CHECK},
                     {ID_SHOW_OUTSCREEN, L"V&entana de ejecución\tAlt-F6", wxITEM_CHECK},
                     {ID_INDENT_GUIDES, L"&Guías de indentación", wxITEM_CHECK},
                     {ID_LINE_NUMBER, L"&Número de línea", wxITEM_CHECK},
                     {0, nullptr},
                     {ID_ZOOM, L"&Zoom..."}});
    fill(execute_menu, {{ID_COMPILAR, L"&Compilar\tF6"},
                        {ID_EJECUTAR, L"&Ejecutar\tCtrl-F9"},
                        {ID_TERMINAR, L"&Terminar\tCtrl-Alt-F2"},
                        {0, nullptr},
                        {ID_EXEC_ENV, L"&Ambiente de ejecución"},
                        {0, nullptr},
                        {ID_BREAK_POINT, L"&Punto de parada\tCtrl-S"},
                        {ID_TRACE_INTO, L"P&aso a Paso\tF7"},
                        {ID_STEP_OVER, L"P&or nivel\tF8"},
                        {ID_RUN_TO_CURSOR, L"&Hasta linea actual\tF10"},
                        {0, nullptr},
                        {ID_EXPR_WIN, L"E&valuar expresión..."}});
    fill(watch_submenu, {{ID_WLIST_INSERT, L"Agregar expresión...\tCtrl-I"},
                         {ID_WLIST_EDIT, L"Editar expresión...\tCtrl-T"},
                         {ID_WLIST_DELETE, L"Borrar expresiones\tCtrl-D"},
                         {ID_WLIST_DELETEALL, L"Borrar todas\tCtrl-F3"}});
    execute_menu->Append(ID_WLIST_SUBMENU, L"&Visor de expresiones", watch_submenu,
                         L"Agregar y eliminar expresiones");
    fill(help_menu, {{ID_AYUDA, L"&Ayuda...\tF1"},
                     {0, nullptr},
                     {ID_CREDITOS, L"&Créditos"},
                     {ID_ACERCA_DE, L"Ac&erca de ZQE"}});
    menu_bar->Append(file_menu, L"&Archivo");
    menu_bar->Append(edit_menu, L"&Edición");
    menu_bar->Append(view_menu, L"&Ver");
    menu_bar->Append(execute_menu, L"Eje&cutar");
    // The main window carries the help menu too, so it is never without one.
    menu_bar->Append(help_menu, L"Ay&uda");
}
