"""Escaping for the texts the generator writes into XML and HTML."""


def esc(text):
    return text.replace("&", "&amp;").replace("<", "&lt;")
