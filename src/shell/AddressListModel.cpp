#include "shell/AddressListModel.hpp"

#include <gtk/gtk.h>

namespace larkspan {

namespace {

// The model is a small GObject implementing GtkTreeModel; an iterator carries the row's
// index, so it stays valid across appends (a reset changes the stamp and so invalidates
// every iterator handed out before).
struct AddressListStore {
    GObject parent;
    AddressList* list;
    gint stamp;
    sigc::connection* appended;
    sigc::connection* reset;
};

struct AddressListStoreClass {
    GObjectClass parent_class;
};

void addressListStoreTreeModelInit(GtkTreeModelIface* iface);

G_DEFINE_TYPE_WITH_CODE(AddressListStore, address_list_store, G_TYPE_OBJECT,
                        G_IMPLEMENT_INTERFACE(GTK_TYPE_TREE_MODEL, addressListStoreTreeModelInit))

AddressListStore* self(GtkTreeModel* model) {
    return reinterpret_cast<AddressListStore*>(model);
}

std::size_t rowOf(GtkTreeIter* iter) {
    return GPOINTER_TO_SIZE(iter->user_data);
}

gboolean setRow(AddressListStore* s, GtkTreeIter* iter, std::size_t row) {
    if (!s->list || row >= s->list->size()) {
        iter->stamp = 0;
        return FALSE;
    }
    iter->stamp = s->stamp;
    iter->user_data = GSIZE_TO_POINTER(row);
    iter->user_data2 = nullptr;
    iter->user_data3 = nullptr;
    return TRUE;
}

GtkTreeModelFlags getFlags(GtkTreeModel*) {
    return static_cast<GtkTreeModelFlags>(GTK_TREE_MODEL_LIST_ONLY | GTK_TREE_MODEL_ITERS_PERSIST);
}

gint getNColumns(GtkTreeModel*) {
    return 1;
}

GType getColumnType(GtkTreeModel*, gint) {
    return G_TYPE_STRING;
}

gboolean getIter(GtkTreeModel* model, GtkTreeIter* iter, GtkTreePath* path) {
    if (gtk_tree_path_get_depth(path) != 1) return FALSE;
    gint index = gtk_tree_path_get_indices(path)[0];
    if (index < 0) return FALSE;
    return setRow(self(model), iter, static_cast<std::size_t>(index));
}

GtkTreePath* getPath(GtkTreeModel*, GtkTreeIter* iter) {
    return gtk_tree_path_new_from_indices(static_cast<gint>(rowOf(iter)), -1);
}

void getValue(GtkTreeModel* model, GtkTreeIter* iter, gint, GValue* value) {
    g_value_init(value, G_TYPE_STRING);
    AddressListStore* s = self(model);
    std::size_t row = rowOf(iter);
    if (s->list && row < s->list->size()) g_value_set_string(value, (*s->list)[row].c_str());
}

gboolean iterNext(GtkTreeModel* model, GtkTreeIter* iter) {
    return setRow(self(model), iter, rowOf(iter) + 1);
}

gboolean iterPrevious(GtkTreeModel* model, GtkTreeIter* iter) {
    std::size_t row = rowOf(iter);
    if (row == 0) {
        iter->stamp = 0;
        return FALSE;
    }
    return setRow(self(model), iter, row - 1);
}

gboolean iterChildren(GtkTreeModel* model, GtkTreeIter* iter, GtkTreeIter* parent) {
    if (parent) {
        iter->stamp = 0;
        return FALSE;
    }
    return setRow(self(model), iter, 0);
}

gboolean iterHasChild(GtkTreeModel*, GtkTreeIter*) {
    return FALSE;
}

gint iterNChildren(GtkTreeModel* model, GtkTreeIter* iter) {
    AddressListStore* s = self(model);
    if (iter || !s->list) return 0;
    return static_cast<gint>(s->list->size());
}

gboolean iterNthChild(GtkTreeModel* model, GtkTreeIter* iter, GtkTreeIter* parent, gint n) {
    if (parent || n < 0) {
        iter->stamp = 0;
        return FALSE;
    }
    return setRow(self(model), iter, static_cast<std::size_t>(n));
}

gboolean iterParent(GtkTreeModel*, GtkTreeIter* iter, GtkTreeIter*) {
    iter->stamp = 0;
    return FALSE;
}

void addressListStoreTreeModelInit(GtkTreeModelIface* iface) {
    iface->get_flags = getFlags;
    iface->get_n_columns = getNColumns;
    iface->get_column_type = getColumnType;
    iface->get_iter = getIter;
    iface->get_path = getPath;
    iface->get_value = getValue;
    iface->iter_next = iterNext;
    iface->iter_previous = iterPrevious;
    iface->iter_children = iterChildren;
    iface->iter_has_child = iterHasChild;
    iface->iter_n_children = iterNChildren;
    iface->iter_nth_child = iterNthChild;
    iface->iter_parent = iterParent;
}

void address_list_store_init(AddressListStore* s) {
    s->list = nullptr;
    s->stamp = 1;
    s->appended = new sigc::connection();
    s->reset = new sigc::connection();
}

void addressListStoreFinalize(GObject* object) {
    auto* s = reinterpret_cast<AddressListStore*>(object);
    s->appended->disconnect();
    s->reset->disconnect();
    delete s->appended;
    delete s->reset;
    G_OBJECT_CLASS(address_list_store_parent_class)->finalize(object);
}

void address_list_store_class_init(AddressListStoreClass* klass) {
    G_OBJECT_CLASS(klass)->finalize = addressListStoreFinalize;
}

void rowAppended(AddressListStore* s, std::size_t row) {
    GtkTreeIter iter;
    if (!setRow(s, &iter, row)) return;
    GtkTreePath* path = gtk_tree_path_new_from_indices(static_cast<gint>(row), -1);
    gtk_tree_model_row_inserted(GTK_TREE_MODEL(s), path, &iter);
    gtk_tree_path_free(path);
}

void listReset(AddressListStore* s, std::size_t previousSize) {
    // Every old row goes, last first, then every new row comes.
    s->stamp = s->stamp == G_MAXINT ? 1 : s->stamp + 1;
    for (std::size_t row = previousSize; row-- > 0;) {
        GtkTreePath* path = gtk_tree_path_new_from_indices(static_cast<gint>(row), -1);
        gtk_tree_model_row_deleted(GTK_TREE_MODEL(s), path);
        gtk_tree_path_free(path);
    }
    for (std::size_t row = 0; s->list && row < s->list->size(); ++row) rowAppended(s, row);
}

}  // namespace

Glib::RefPtr<Gtk::TreeModel> makeAddressListModel(AddressList& list) {
    auto* s = static_cast<AddressListStore*>(g_object_new(address_list_store_get_type(), nullptr));
    s->list = &list;
    *s->appended = list.signalAppended.connect([s](std::size_t row) { rowAppended(s, row); });
    *s->reset = list.signalReset.connect([s](std::size_t previous) { listReset(s, previous); });
    return Glib::wrap(GTK_TREE_MODEL(s), false);
}

}  // namespace larkspan
