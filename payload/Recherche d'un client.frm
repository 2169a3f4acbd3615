[Formulaire]
Titre=Recherche d'un client
Table=CLIENTS
Largeur=640
Hauteur=264
Police=MS Sans Serif,8

[Champ1]
Libelle=Nom commençant par
Colonne=NOM
Type=Texte
Longueur=30
Gauche=150
Haut=16

[Champ2]
Libelle=Ville
Colonne=VILLE
Type=Texte
Longueur=25
Gauche=150
Haut=52

[Champ3]
Libelle=Département
Colonne=CP
Type=Texte
Longueur=2
Gauche=150
Haut=88

[Champ4]
Libelle=Clients actifs seulement
Colonne=ACTIF
Type=Case
Longueur=1
Gauche=150
Haut=124

[Boutons]
Valider=&Enregistrer
Annuler=&Fermer
